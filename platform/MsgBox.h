#pragma once

#include <QString>

// The runtime's message box: a prompt, a style made of the buttons and the
// icon, and the title. It waits until the user answers.
class MsgBox
{
public:
    // Style values add up as the runtime's do: buttons plus icon.
    static constexpr int vbOKOnly = 0;
    static constexpr int vbYesNo = 4;
    static constexpr int vbQuestion = 32;
    static constexpr int vbInformation = 64;

    enum Answer { vbOK = 1, vbYes = 6, vbNo = 7 };

    virtual ~MsgBox() = default;
    // Line breaks in the prompt are CR LF, as the program builds them.
    virtual Answer show(const QString& prompt, int style, const QString& title) = 0;
};
