#pragma once

#include "platform/CommonDialog.h"

#include <QStringList>

#include <deque>

// Answers the dialogs from a script: the colours and file names a user would
// pick, nothing (a cancel) when the script runs dry.
class FakeCommonDialog final : public CommonDialog
{
public:
    std::optional<QColor> ShowColor(QWidget*, const QColor& initial) override
    {
        shownColors.push_back(initial);
        return next(colors);
    }
    QString ShowOpen(QWidget*, const QString&) override { return next(files); }
    bool ShowHelp(const QString& helpFile) override
    {
        helpFiles.push_back(helpFile);
        return true;
    }

    std::deque<std::optional<QColor>> colors;
    std::deque<QString> files;
    std::vector<QColor> shownColors;
    QStringList helpFiles;

private:
    template <class T>
    static T next(std::deque<T>& script)
    {
        if (script.empty())
            return {};
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};
