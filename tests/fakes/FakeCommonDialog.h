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
        if (colors.empty())
            return std::nullopt;
        const std::optional<QColor> color = colors.front();
        colors.pop_front();
        return color;
    }
    QString ShowOpen(QWidget*, const QString&) override
    {
        if (files.empty())
            return {};
        const QString file = files.front();
        files.pop_front();
        return file;
    }
    bool ShowHelp(const QString& helpFile) override
    {
        helpFiles.push_back(helpFile);
        return true;
    }

    std::deque<std::optional<QColor>> colors;
    std::deque<QString> files;
    std::vector<QColor> shownColors;
    QStringList helpFiles;
};
