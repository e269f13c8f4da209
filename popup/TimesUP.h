#pragma once

#include <QPoint>
#include <QWidget>

class Forms;
class Module1;
class PictureBox;

// The "time's up" pop-up: a frameless window cut to the outline of its banner.
// It follows the pointer while a button is held on it, and on release asks
// whether to switch the alarm off.
class TimesUP final : public QWidget
{
    Q_OBJECT

public:
    TimesUP(Module1& module, Forms& forms);

    void Form_Load();
    PictureBox& pic1() { return *m_pic1; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pic1_MouseDown(const QPoint& position);
    void pic1_MouseMove(const QPoint& position);
    void pic1_MouseUp();

    Module1& m_module;
    Forms& m_forms;
    PictureBox* m_pic1;
    // Where the pointer holds the window, from its top-left corner.
    QPoint m_grip;
};
