#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The shared dialogs of the options window: colour, file to open and help.
class CommonDialog
{
public:
    virtual ~CommonDialog() = default;
    // The colour the user picks, or nothing when the dialog is cancelled.
    virtual std::optional<QColor> ShowColor(QWidget* owner, const QColor& initial) = 0;
    // The full path of the file the user picks, or an empty string when the
    // dialog is cancelled. The filter is "Description|*.a;*.b", one entry.
    virtual QString ShowOpen(QWidget* owner, const QString& filter) = 0;
    // Shows the help file at its start, unless the viewer shows that file
    // already; returns at once. False when no viewer can show it.
    virtual bool ShowHelp(const QString& helpFile) = 0;
};
