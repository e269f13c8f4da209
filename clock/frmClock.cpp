#include "clock/frmClock.h"

#include "about/frmAbout.h"
#include "alarm/AlarmWatch.h"
#include "alarm/DisableAlarm.h"
#include "alarm/TimesUP.h"
#include "app/Module1.h"
#include "clock/HandsArithmetic.h"
#include "clock/gifmod.h"
#include "platform/Design.h"
#include "platform/OleColor.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "platform/Twips.h"
#include "options/frmOption.h"
#include "platform/WindowSystem.h"
#include "settings/StartupSettings.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>


using Twips::toPixelsF;


frmClock::frmClock(Module1& module)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_module(module)
    , m_pic1(new PictureBox(this))
    , m_timerAlarm(new QTimer(this))
    , m_timer1(new QTimer(this))
    , m_imageBG(*m_pic1, Twips::toRect(600, 1320, 960, 960), false)
    , m_line1(*m_pic1, toPixelsF(1050), toPixelsF(1200), toPixelsF(1050), toPixelsF(1755), OleColor::WindowText, 3)
    , m_line2(*m_pic1, toPixelsF(600), toPixelsF(1755), toPixelsF(1050), toPixelsF(1755), 0x000000, 3)
    , m_imageClose(*m_pic1, Twips::toRect(840, 450, 375, 135), false)
    , m_imageLock(*m_pic1, Twips::toRect(600, 120, 855, 255), false)
    , m_line3(*m_pic1, toPixelsF(1050), toPixelsF(1755), toPixelsF(1680), toPixelsF(1755), 0x0000FF, 3)
    , m_imageSmallAlarm(*m_pic1, Twips::toRect(781, 2050, 596, 450), true)
{
    setWindowTitle(QString::fromLatin1(Module1::ProgramTitle));
    // The body covers the whole window: painting a background under it every
    // second would be wasted.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_pic1->move(0, 0);
    m_pic1->setPicture(Design::picture("clock_body.gif"));
    m_imageBG.setPicture(Design::picture("face.gif"));
    m_imageSmallAlarm.setPicture(Design::picture("alarm_icon.gif"));

    m_timerAlarm->setInterval(AlarmWatch::RingIntervalMs);
    m_timerAlarm->setTimerType(Qt::PreciseTimer);
    connect(m_timerAlarm, &QTimer::timeout, this, &frmClock::Timer_Alarm_Elapsed);
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
    m_timerAlarm->stop();
    AlarmState& alarm = m_module.alarm();
    alarm.AlarmSoundFile = m_module.fileBeside(QStringLiteral("alarm1.wav"));
    alarm.AlarmRinging = false;

    m_line2.setStart(m_line1.X1(), m_line2.Y1());
    m_line3.setStart(m_line1.X1(), m_line3.Y1());
    m_line1.setStart(m_line1.X1(), m_line3.Y1());

    gifmod::fitWindowToPicture(*this, *m_pic1);

    const StartupSettings settings =
        StartupSettings::read(QFile::encodeName(m_module.settingsPath()).toStdString());
    if (settings.faceLocation)
        applyFacePicture(QFile::decodeName(settings.faceLocation->c_str()));

    LineControl* hands[] = {&m_line1, &m_line2, &m_line3};
    for (std::size_t hand = 0; hand < settings.handColors.size(); ++hand) {
        if (settings.handColors[hand])
            hands[hand]->setBorderColor(static_cast<std::uint32_t>(*settings.handColors[hand]));
    }
    if (settings.handWidth) {
        for (LineControl* line : hands)
            line->setBorderWidth(*settings.handWidth);
    }

    switch (settings.stacking) {
    case StartupSettings::Stacking::Topmost:
        m_module.platform().windows.setTopmost(*this, true);
        break;
    case StartupSettings::Stacking::Normal:
        m_module.platform().windows.setTopmost(*this, false);
        break;
    case StartupSettings::Stacking::Unchanged:
        break;
    }

    // The position is never stored: every start puts the clock in the middle.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool frmClock::applyFacePicture(const QString& location)
{
    // A relative name means beside the program, never the directory the clock
    // happened to be started from; and only a plain file can be a picture (a
    // pipe would leave start-up waiting for it).
    const QFileInfo file(QDir(m_module.programDirectory()), location);
    if (!file.isFile())
        return false;
    QImageReader reader(file.filePath());
    reader.setDecideFormatFromContent(true);
    // Only the part of the picture inside the clock body can ever show; a huge
    // photo is not kept whole in memory for the sake of its top-left corner.
    const QSize fullSize = reader.size();
    const QSize visible = m_pic1->size() - QSize(m_imageBG.geometry().left(), m_imageBG.geometry().top());
    if (fullSize.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), fullSize.boundedTo(visible)));
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    m_imageBG.setPicture(picture, fullSize.isValid() ? fullSize : picture.size());
    return true;
}

void frmClock::Form_Unload()
{
    Forms& forms = m_module.forms();
    forms.popup.Unload();
    forms.options.Unload();
    forms.about.Unload();
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
    const QTime now = m_module.platform().time.now().time;
    m_timer1->start(TimeSteps::untilNextSecond(now, TimeSteps::AfterNewSecondMs));
    // An armed alarm sleeps until its minute; the clock's once-a-second look
    // at the time keeps that sleep right when the wall clock jumps (a resume
    // from suspend, a clock set by hand) or the alarm's hour is changed.
    if (Timer_AlarmEnabled() && !m_module.alarm().AlarmRinging)
        m_timerAlarm->start(AlarmWatch::nextTickMs(m_module.alarm(), now));
}

void frmClock::setTimer_AlarmEnabled(bool enabled)
{
    if (enabled)
        m_timerAlarm->start(AlarmWatch::RingIntervalMs);
    else
        m_timerAlarm->stop();
}

void frmClock::Timer_Alarm_Elapsed()
{
    Timer_Alarm_Timer();
    if (Timer_AlarmEnabled())
        m_timerAlarm->start(AlarmWatch::nextTickMs(m_module.alarm(), m_module.platform().time.now().time));
}

void frmClock::Timer_Alarm_Timer()
{
    AlarmState& alarm = m_module.alarm();
    switch (AlarmWatch::tick(alarm, m_module.platform().time.now().time)) {
    case AlarmWatch::Step::Ring:
        // Holds the program until the sound has ended, so that it repeats with
        // short pauses and a click on the pop-up comes between two plays.
        m_module.platform().sound.playSync(alarm.AlarmSoundFile);
        break;
    case AlarmWatch::Step::GoOff: {
        TimesUP& popup = m_module.forms().popup();
        popup.show();
        popup.raise();
        break;
    }
    case AlarmWatch::Step::Wait:
        break;
    }
}

void frmClock::pic1_MouseDown(int button)
{
    if (button == Qt::RightButton) {
        m_module.PlaySoundCue(QStringLiteral("quit.wav"));
        frmOption& options = m_module.forms().options();
        options.show();
        options.raise();
        options.activateWindow();
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
    m_module.forms().options.Unload();
    close();
}

void frmClock::Image_SmallAlarm_Click()
{
    DisableAlarm(m_module);
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
