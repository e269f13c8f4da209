#pragma once

#include "app/FormSlot.h"
#include "clock/ClockLook.h"
#include "clock/LookSettings.h"
#include "platform/Forms.h"

class Module1;
class frmAbout;
class frmClock;
class frmOption;
class TimesUP;

// The program's windows, one of each, and the look of the clock they share.
// The windows ask for each other, and for their own end, through Forms.
class Program final : public Forms
{
public:
    explicit Program(Module1& module);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void Show(Form form) override;
    void Hide(Form form) override;
    void Unload(Form form) override;

    frmClock& clock();
    frmOption& options();
    TimesUP& popup();
    frmAbout& about();
    // A window if it exists; never creates it.
    QWidget* loaded(Form form);

    ClockLook& look() { return m_look; }

private:
    QWidget& formWindow(Form form);
    // Does `act` with the slot of the form.
    template <class Act>
    decltype(auto) onSlot(Form form, Act act);

    Module1& m_module;
    ClockLook m_look;
    LookSettings m_lookSettings;
    FormSlot<frmClock> m_clock;
    FormSlot<frmOption> m_options;
    FormSlot<TimesUP> m_popup;
    FormSlot<frmAbout> m_about;
};
