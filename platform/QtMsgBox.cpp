#include "platform/QtMsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

MsgBox::Answer QtMsgBox::show(const QString& prompt, int style, const QString& title)
{
    const bool yesNo = (style & 0x0F) == vbYesNo;
    // Owned by the window the user is working with, so that the window
    // manager keeps the box above it even when that window stays on top.
    // The owner may go while the box is open; the box is not to go with it.
    QPointer<QMessageBox> owned = new QMessageBox(QApplication::activeWindow());
    QMessageBox& box = *owned;
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
