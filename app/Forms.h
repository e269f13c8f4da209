#pragma once

#include "app/FormSlot.h"

class frmAbout;
class frmClock;
class frmOption;
class TimesUP;

// The program's windows, one of each.
class Forms final
{
public:
    explicit Forms(Module1& module);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    FormSlot<frmClock> clock;
    FormSlot<frmOption> options;
    FormSlot<TimesUP> popup;
    FormSlot<frmAbout> about;
};
