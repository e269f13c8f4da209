#include "platform/QtCommonDialog.h"

#include "platform/HelpViewer.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPointer>

namespace {

// "*.jpg" as "*.[jJ][pP][gG]": the desktops' own file dialogs match patterns
// with case, and a camera names its pictures IMG_0001.JPG.
QString anyCase(const QString& pattern)
{
    QString result;
    for (const QChar c : pattern) {
        if (c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

} // namespace

QtCommonDialog::QtCommonDialog() = default;

QtCommonDialog::~QtCommonDialog() = default;

// Each dialog is owned by the window it belongs to, so that the window
// manager keeps it above that window; the owner may go while the dialog is
// open, and the dialog is not to be deleted twice.
std::optional<QColor> QtCommonDialog::ShowColor(QWidget* owner, const QColor& initial)
{
    QPointer<QColorDialog> dialog = new QColorDialog(initial, owner);
    const bool chosen = dialog->exec() == QDialog::Accepted && dialog;
    const QColor color = chosen ? dialog->selectedColor() : QColor();
    delete dialog;
    if (!color.isValid())
        return std::nullopt;
    return color;
}

void QtCommonDialog::prepareOpen(QFileDialog& dialog, const QString& filter)
{
    QStringList patterns;
    for (const QString& pattern : filter.section(QLatin1Char('|'), 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << anyCase(pattern.trimmed());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The entry reads as its description alone; the spelled-out patterns
    // would only show the case trick.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filter.section(QLatin1Char('|'), 0, 0) + QLatin1String(" (") + patterns.join(QLatin1Char(' '))
                         + QLatin1Char(')'));
}

QString QtCommonDialog::ShowOpen(QWidget* owner, const QString& filter)
{
    QPointer<QFileDialog> dialog = new QFileDialog(owner);
    prepareOpen(*dialog, filter);
    const bool chosen = dialog->exec() == QDialog::Accepted && dialog;
    const QString file = chosen ? dialog->selectedFiles().value(0) : QString();
    delete dialog;
    return file;
}

bool QtCommonDialog::ShowHelp(const QString& helpFile)
{
    if (!m_helpViewer)
        m_helpViewer = std::make_unique<HelpViewer>();
    return m_helpViewer->showFile(helpFile);
}
