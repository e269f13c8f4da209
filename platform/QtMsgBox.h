#pragma once

#include "platform/MsgBox.h"

// The desktop's message box, modal to the whole program as the runtime's is.
class QtMsgBox final : public MsgBox
{
public:
    Answer show(const QString& prompt, int style, const QString& title) override;
};
