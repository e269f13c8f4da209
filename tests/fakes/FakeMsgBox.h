#pragma once

#include "platform/MsgBox.h"

#include <QList>
#include <QStringList>

#include <functional>

// Answers message boxes from a script of expected prompts. A box nobody
// expected, or one with another prompt, is answered OK/No and noted as a
// surprise for the test to fail on.
class FakeMsgBox final : public MsgBox
{
public:
    void expect(const QString& prompt, Answer answer = vbOK) { m_script.append({prompt, answer}); }

    Answer show(const QString& prompt, int style, const QString&) override
    {
        styles.append(style);
        Answer answer = (style & 0x0F) == vbYesNo ? vbNo : vbOK;
        if (m_script.isEmpty() || m_script.first().prompt != prompt)
            surprises << prompt;
        else
            answer = m_script.takeFirst().answer;
        // What happens while the box is open: the program's timers go on.
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
        return answer;
    }

    // Every expected box came, and nothing else.
    bool allAnswered() const { return m_script.isEmpty() && surprises.isEmpty(); }

    // The style of every box shown, in order.
    QList<int> styles;
    QStringList surprises;
    std::function<void()> whileOpen;

private:
    struct Line
    {
        QString prompt;
        Answer answer;
    };
    QList<Line> m_script;
};
