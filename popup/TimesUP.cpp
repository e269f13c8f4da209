#include "popup/TimesUP.h"

#include "controls/Design.h"
#include "controls/NoIcon.h"
#include "controls/PictureBox.h"
#include "controls/gifmod.h"
#include "platform/Forms.h"
#include "platform/Platform.h"
#include "shared/DisableAlarm.h"
#include "shared/Module1.h"

#include <QCloseEvent>

// Shown only while the alarm rings, and then above the window in use: a window
// the user did not ask for would be mapped under it by a window manager that
// keeps new windows from taking the focus.
TimesUP::TimesUP(Module1& module, Forms& forms)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_module(module)
    , m_forms(forms)
    , m_pic1(new PictureBox(this))
{
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(NoIcon::icon());
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    m_pic1->move(0, 0);
    m_pic1->setPicture(Design::picture("banner.gif", devicePixelRatioF()));
    connect(m_pic1, &PictureBox::MouseDown, this, [this](int, QPoint position) { pic1_MouseDown(position); });
    connect(m_pic1, &PictureBox::MouseMove, this, [this](int, QPoint position) { pic1_MouseMove(position); });
    connect(m_pic1, &PictureBox::MouseUp, this, [this] { pic1_MouseUp(); });
}

// A step that cannot be carried out leaves a window that is merely not shaped
// or not sized. The window is placed before it is first shown, which makes its
// native window: weston puts a new window where that was made, whatever move
// came before the window was mapped.
void TimesUP::Form_Load()
{
    gifmod::fitWindowToPicture(*this, *m_pic1, m_module.platform().windows);
    Design::centreOnScreen(*this);
}

void TimesUP::closeEvent(QCloseEvent* event)
{
    m_forms.Unload(Forms::Form::Popup);
    event->accept();
}

// The pop-up moves itself with the pointer rather than through the window
// manager: the move must follow any button, and the question must come once,
// when that button is released.
void TimesUP::pic1_MouseDown(const QPoint& position)
{
    m_grip = m_pic1->mapTo(this, position);
}

void TimesUP::pic1_MouseMove(const QPoint& position)
{
    move(m_pic1->mapToGlobal(position) - m_grip);
}

void TimesUP::pic1_MouseUp()
{
    DisableAlarm(m_module, m_forms);
}
