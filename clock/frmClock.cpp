#include "clock/frmClock.h"

#include "clock/ClockLook.h"
#include "clock/HandsArithmetic.h"
#include "clock/LookSettings.h"
#include "controls/Design.h"
#include "controls/Twips.h"
#include "controls/gifmod.h"
#include "platform/TimeSource.h"
#include "platform/WindowSystem.h"
#include "shared/DisableAlarm.h"
#include "shared/Module1.h"

#include <QCloseEvent>

using Twips::toPixelsF;

frmClock::frmClock(Module1& module, Forms& forms, const LookSettings& settings)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_module(module)
    , m_forms(forms)
    , m_settings(settings)
    , m_look(settings.look())
    , m_pic1(new PictureBox(this))
    , m_timer1(new QTimer(this))
    , m_imageBG(*m_pic1, Twips::toRect(600, 1320, 960, 960), false)
    , m_line1(*m_pic1, toPixelsF(1050), toPixelsF(1200), toPixelsF(1050), toPixelsF(1755),
              m_look.color(ClockLook::Hour), m_look.handWidth())
    , m_line2(*m_pic1, toPixelsF(600), toPixelsF(1755), toPixelsF(1050), toPixelsF(1755),
              m_look.color(ClockLook::Minute), m_look.handWidth())
    , m_imageClose(*m_pic1, Twips::toRect(840, 450, 375, 135), false)
    , m_imageLock(*m_pic1, Twips::toRect(600, 120, 855, 255), false)
    , m_line3(*m_pic1, toPixelsF(1050), toPixelsF(1755), toPixelsF(1680), toPixelsF(1755),
              m_look.color(ClockLook::Second), m_look.handWidth())
    , m_imageSmallAlarm(*m_pic1, Twips::toRect(781, 2050, 596, 450), true)
{
    setWindowTitle(QString::fromLatin1(Module1::ProgramTitle));
    // The body covers the whole window: painting a background under it every
    // second would be wasted.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Outside the outline the window is left transparent, for compositors that
    // draw a window's whole rectangle whatever its shape.
    setAttribute(Qt::WA_TranslucentBackground);
    m_pic1->move(0, 0);
    m_pic1->setPicture(Design::picture("clock_body.gif", devicePixelRatioF()));
    m_imageSmallAlarm.setPicture(Design::picture("alarm_icon.gif", devicePixelRatioF()));
    showFace();
    connect(&m_look, &ClockLook::colorChanged, this, [this](int hand, std::uint32_t color) {
        LineControl* lines[] = {&m_line1, &m_line2, &m_line3};
        lines[hand - 1]->setBorderColor(color);
    });
    connect(&m_look, &ClockLook::handWidthChanged, this, [this](int width) {
        for (LineControl* line : {&m_line1, &m_line2, &m_line3})
            line->setBorderWidth(width);
    });
    connect(&m_look, &ClockLook::topmostChanged, this,
            [this](bool topmost) { m_module.platform().windows.setTopmost(*this, topmost); });
    connect(&m_look, &ClockLook::faceChanged, this, &frmClock::showFace);
    connect(&module.alarm(), &Alarm::armedChanged, this, [this](bool armed) {
        m_imageSmallAlarm.setVisible(armed);
        m_imageSmallAlarm.setEnabled(armed);
    });

    m_timer1->setSingleShot(true);
    m_timer1->setTimerType(Qt::PreciseTimer);
    connect(m_timer1, &QTimer::timeout, this, &frmClock::Timer1_Elapsed);
    m_timer1->start(FirstTickMs);

    connect(m_pic1, &PictureBox::MouseDown, this, [this](int button) { pic1_MouseDown(button); });
    m_imageBG.onMouseDown([this](int button) { ImageBG_MouseDown(button); });
    m_imageLock.onClick([this] { ImageLock_Click(); });
    m_imageClose.onClick([this] { ImageClose_Click(); });
    m_imageSmallAlarm.onClick([this] { Image_SmallAlarm_Click(); });
}

frmClock::~frmClock() = default;

// Every step that cannot be carried out is passed over and start-up goes on:
// a clock with the built-in look is better than no clock.
void frmClock::Form_Load()
{
    m_imageSmallAlarm.setVisible(false);
    m_imageSmallAlarm.setEnabled(false);
    m_module.alarm().reset(m_module.fileBeside(QStringLiteral("alarm1.wav")));

    m_line2.setStart(m_line1.X1(), m_line2.Y1());
    m_line3.setStart(m_line1.X1(), m_line3.Y1());
    m_line1.setStart(m_line1.X1(), m_line3.Y1());

    gifmod::fitWindowToPicture(*this, *m_pic1, m_module.platform().windows);

    m_settings.read();

    // The position is never stored: every start puts the clock in the middle.
    Design::centreOnScreen(*this);
}

void frmClock::showFace()
{
    m_imageBG.setPicture(m_look.face(), m_look.faceSize());
}

void frmClock::Form_Unload()
{
    m_forms.Unload(Forms::Form::Popup);
    m_forms.Unload(Forms::Form::Options);
    m_forms.Unload(Forms::Form::About);
}

void frmClock::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

std::string frmClock::timeText() const
{
    const QTime time = m_module.platform().time.now().time;
    const auto twoDigits = [](int value) { return std::string{char('0' + value / 10 % 10), char('0' + value % 10)}; };
    return twoDigits(time.hour()) + ':' + twoDigits(time.minute()) + ':' + twoDigits(time.second());
}

// The hands can only change when a new second begins, so instead of polling
// ten times a second the clock wakes just after each new second: the hands
// move as promptly as ever, and an idle clock wakes the machine once a second.
void frmClock::Timer1_Elapsed()
{
    Timer1_Timer();
    m_timer1->start(TimeSteps::untilNextSecond(m_module.platform().time.now().time, TimeSteps::AfterNewSecondMs));
}

void frmClock::pic1_MouseDown(int button)
{
    if (button == Qt::RightButton) {
        m_module.PlaySoundCue(QStringLiteral("quit.wav"));
        m_forms.Show(Forms::Form::Options);
    }
    DragClock();
}

void frmClock::ImageBG_MouseDown(int button)
{
    pic1_MouseDown(button);
}

void frmClock::DragClock()
{
    if (m_clockLocked)
        return;
    m_module.platform().windows.startMove(*this);
}

void frmClock::ImageLock_Click()
{
    m_module.PlaySoundCue(QStringLiteral("lock.wav"));
    if (m_clockLocked) {
        m_module.msgBox(QStringLiteral("The Clock is unlocked!"), MsgBox::vbInformation);
        m_clockLocked = false;
    } else {
        m_module.msgBox(QStringLiteral("The Clock is locked!"), MsgBox::vbInformation);
        m_clockLocked = true;
    }
}

void frmClock::ImageClose_Click()
{
    m_module.PlaySoundCue(QStringLiteral("quit.wav"));
    if (m_module.msgBox(QStringLiteral("Quit the program?"), MsgBox::vbYesNo + MsgBox::vbQuestion) != MsgBox::vbYes)
        return;
    m_forms.Unload(Forms::Form::Options);
    close();
}

void frmClock::Image_SmallAlarm_Click()
{
    DisableAlarm(m_module, m_forms);
}

void frmClock::Timer1_Timer()
{
    // Three separate readings, as the hands always took them: across a minute
    // boundary one tick may mix the old seconds with the new minute, and the
    // next tick is right again.
    const double s = HandsArithmetic::seconds(timeText());
    const double m = HandsArithmetic::minutes(timeText());
    const double h = HandsArithmetic::twelveHour(HandsArithmetic::hours(timeText()));

    const auto place = [](LineControl& line, HandsArithmetic::Tip tip) { line.setEnd(tip.x, tip.y); };
    place(m_line3, HandsArithmetic::secondTip(m_line3.X1(), m_line3.Y1(), s));
    place(m_line2, HandsArithmetic::minuteTip(m_line2.X1(), m_line2.Y1(), m));
    place(m_line1, HandsArithmetic::hourTip(m_line1.X1(), m_line1.Y1(), h, m));
}
