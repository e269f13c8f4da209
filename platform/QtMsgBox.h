#pragma once

#include "platform/MsgBox.h"

// A QMessageBox that belongs to no window, so it stays usable whichever of the
// program's windows is open or about to close.
class QtMsgBox final : public MsgBox
{
public:
    Answer show(const QString& prompt, int style, const QString& title) override;
};
