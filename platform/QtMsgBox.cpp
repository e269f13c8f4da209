#include "platform/QtMsgBox.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPointer>
#include <QWindow>

#include <algorithm>

namespace {

// The window the user asked from: the one in use, or the one just clicked,
// which need not have the focus yet.
QWidget* askingWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return QApplication::topLevelAt(QCursor::pos());
}

bool anyShownAbove()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget* window) {
        return window->isVisible() && window->windowHandle()
            && window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    });
}

} // namespace

MsgBox::Answer QtMsgBox::show(const QString& prompt, int style, const QString& title)
{
    const bool yesNo = (style & 0x0F) == vbYesNo;
    // Owned by the window the user asked from, so that the window manager
    // keeps the box above it. The owner may go while the box is open; the box
    // is not to go with it.
    QPointer<QMessageBox> owned = new QMessageBox(askingWindow());
    QMessageBox& box = *owned;
    // Its buttons must take a click where they are drawn: while a window of
    // the program stays above the others, so does the box.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, anyShownAbove());
    box.setWindowTitle(title);
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (style & 0xF0) {
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    delete owned;
    if (!yesNo)
        return vbOK;
    return answer == QMessageBox::Yes ? vbYes : vbNo;
}
