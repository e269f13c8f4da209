#include "options/frmOption.h"

#include "clock/ClockLook.h"
#include "clock/LookSettings.h"
#include "controls/ComboBox.h"
#include "controls/Design.h"
#include "controls/DesignFont.h"
#include "controls/OleColor.h"
#include "controls/PictureBox.h"
#include "controls/PictureButton.h"
#include "controls/TabStrip.h"
#include "controls/Twips.h"
#include "options/StatusBarText.h"
#include "platform/CommonDialog.h"
#include "platform/Forms.h"
#include "platform/Launcher.h"
#include "platform/TimeSource.h"
#include "platform/WindowSystem.h"
#include "settings/SettingKeys.h"
#include "shared/Module1.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

using Design::label;
using Design::place;
using Twips::toPixelsF;
using Twips::toRect;

namespace {

constexpr int PageLeft = 360;
constexpr int PageTop = 600;
// Where each page lies at design time: only the first one inside the window.
constexpr QPoint DesignPagePositions[] = {{PageLeft, PageTop}, {3600, 600}, {360, 3000}, {3480, 3000}};

std::array<PictureBox*, 4> makePages(QWidget* parent)
{
    std::array<PictureBox*, 4> pages{};
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const QPoint at = DesignPagePositions[index];
        pages[index] = place(new PictureBox(parent), toRect(at.x(), at.y(), 2775, 1695));
    }
    return pages;
}

// A text box that shows nothing but its background: a hand's colour.
QLineEdit* swatch(const char* hand, QWidget* parent, const QRect& geometry)
{
    QLineEdit* box = place(new QLineEdit(parent), geometry);
    box->setReadOnly(true);
    box->setAccessibleName(QString::fromLatin1(hand));
    return box;
}

void showColor(QLineEdit& box, std::uint32_t oleColor)
{
    QPalette palette = box.palette();
    const QColor color = OleColor::toColor(oleColor, palette);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, color);
    box.setPalette(palette);
}

// A list of the words setting.ini stores, in their order.
template <std::size_t N>
ComboBox* comboWith(const char* designText, const WordSetting<N>& setting, QWidget* parent, const QRect& geometry)
{
    ComboBox* combo = place(new ComboBox(QString::fromLatin1(designText), parent), geometry);
    for (const SettingWord& item : setting.words)
        combo->AddItem(QString::fromLatin1(item.word));
    return combo;
}

QPixmap picture(const char* name, const QWidget& window)
{
    return QPixmap::fromImage(Design::picture(name, window.devicePixelRatioF()));
}

} // namespace

frmOption::frmOption(Module1& module, Forms& forms, const LookSettings& settings)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_module(module)
    , m_forms(forms)
    , m_settings(settings)
    , m_look(settings.look())
    , m_tabStrip1(place(new TabStrip({QStringLiteral("Option"), QStringLiteral("Alarm"), QStringLiteral("Background"),
                                      QStringLiteral("About")},
                                     DesignFont::formFont(this)),
                        toRect(240, 120, 3015, 2295)))
    , m_picOption(makePages(this))
    , m_statusBar1(place(new QStatusBar(this), toRect(0, 2595, 3480, 300)))
    , m_panels{new QLabel(m_statusBar1), new QLabel(m_statusBar1), new QLabel(m_statusBar1)}
    , m_timerStatusbar(new QTimer(this))
    , m_textLine1(swatch("Hour", m_picOption[0], toRect(1200, 240, 375, 270)))
    , m_textLine2(swatch("Min", m_picOption[0], toRect(720, 240, 375, 270)))
    , m_textLine3(swatch("Sec", m_picOption[0], toRect(240, 240, 375, 270)))
    , m_cmdHandsDefault(place(new QPushButton(QStringLiteral("Default"), m_picOption[0]), toRect(240, 720, 735, 255)))
    , m_comboBorder(comboWith("Border", SettingKeys::Border, m_picOption[0], toRect(1080, 720, 855, 330)))
    , m_comboClockInterface(comboWith("Clock", SettingKeys::Window, m_picOption[0], toRect(1920, 720, 855, 330)))
    , m_image3(*m_picOption[0], toRect(1875, -40, 615, 855), true)
    , m_line1(*m_picOption[0], toPixelsF(2040), toPixelsF(360), toPixelsF(2160), toPixelsF(480),
              m_look.color(ClockLook::Hour), 2)
    , m_line2(*m_picOption[0], toPixelsF(2360), toPixelsF(360), toPixelsF(2160), toPixelsF(480),
              m_look.color(ClockLook::Minute), 2)
    , m_line3(*m_picOption[0], toPixelsF(2160), toPixelsF(700), toPixelsF(2160), toPixelsF(480),
              m_look.color(ClockLook::Second), 2)
    , m_line4_0(*m_picOption[0], 0, toPixelsF(1170), toPixelsF(2760), toPixelsF(1170), 0xFFFFFF, 1)
    , m_line4_1(*m_picOption[0], 0, toPixelsF(1150), toPixelsF(2760), toPixelsF(1150), OleColor::GrayText, 1)
    , m_cmdTime(place(new QPushButton(QStringLiteral("Set System Time"), m_picOption[0]), toRect(120, 1320, 1695, 330)))
    , m_image1(*m_picOption[0], toRect(2040, 1230, 480, 480), false)
    , m_alarmTab(module, forms, *m_picOption[1])
    , m_cmdChangePic(
          place(new PictureButton(QStringLiteral("Customerize"), picture("cartoon.gif", *this), m_picOption[2]),
                toRect(120, 360, 1215, 1215)))
    , m_cmdDefault(place(new PictureButton(QStringLiteral("Default"), picture("face.gif", *this), m_picOption[2]),
                         toRect(1440, 360, 1215, 1215)))
    , m_cmdHelp(place(new PictureButton(QStringLiteral("Help"), picture("help_book.gif", *this), m_picOption[3]),
                      toRect(120, 360, 1215, 975)))
    , m_cmdAbout(place(new PictureButton(QStringLiteral("About"), picture("notebook.gif", *this), m_picOption[3]),
                       toRect(1440, 360, 1215, 975)))
{
    setWindowTitle(QString::fromLatin1(Module1::ProgramTitle));
    setFixedSize(Twips::toPixels(3480), Twips::toPixels(2895));

    QWidget* option = m_picOption[0];
    label("Hands Color", option, toRect(240, 0, 1095, 255));
    label("Sec", option, toRect(300, 480, 375, 255));
    label("Min", option, toRect(800, 480, 375, 255));
    label("Hour", option, toRect(1250, 480, 375, 255));
    m_image3.setPicture(Design::picture("clock_body.gif", devicePixelRatioF()));
    m_image1.setPicture(Design::picture("computer_clock.gif", devicePixelRatioF()));
    label("Background Change", m_picOption[2], toRect(240, 0, 1815, 255));
    label("Help and About", m_picOption[3], toRect(240, 0, 1695, 255));

    m_statusBar1->setSizeGripEnabled(false);
    for (QLabel* panel : m_panels)
        m_statusBar1->addWidget(panel, 1);

    m_timerStatusbar->setSingleShot(true);
    m_timerStatusbar->setTimerType(Qt::PreciseTimer);
    connect(m_timerStatusbar, &QTimer::timeout, this, &frmOption::Timer_Statusbar_Timer);
    connect(m_tabStrip1, &TabStrip::Click, this, &frmOption::TabStrip1_Click);

    for (QLineEdit* box : {m_textLine1, m_textLine2, m_textLine3})
        box->installEventFilter(this);
    connect(m_cmdHandsDefault, &QPushButton::clicked, this, &frmOption::Cmd_HandsDefault_Click);
    connect(m_comboBorder, &ComboBox::Click, this, &frmOption::Combo_Border_Click);
    connect(m_comboClockInterface, &ComboBox::Click, this, &frmOption::Combo_ClockInterface_Click);
    connect(m_cmdTime, &QPushButton::clicked, this, &frmOption::Cmd_time_Click);
    connect(m_cmdChangePic, &QPushButton::clicked, this, &frmOption::Cmd_ChangePic_Click);
    connect(m_cmdDefault, &QPushButton::clicked, this, &frmOption::Cmd_Default_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmOption::Cmd_Help_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &frmOption::Cmd_About_Click);

    // The window has no default button: Enter presses only the button that
    // has the focus, as Space does, and elsewhere does nothing at all.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
}

frmOption::~frmOption() = default;

void frmOption::Form_Load()
{
    m_commonDialogFilter = QStringLiteral("JPG,GIF|*.jpg;*.gif");

    for (int hand = ClockLook::Hour; hand <= ClockLook::Second; ++hand)
        showHandColor(hand, m_look.color(hand));
    showHandWidth(m_look.handWidth());
    connect(&m_look, &ClockLook::colorChanged, this, &frmOption::showHandColor);
    connect(&m_look, &ClockLook::handWidthChanged, this, &frmOption::showHandWidth);

    for (int hour = 0; hour <= 23; ++hour)
        Combo_Hour().AddItem(QString::number(hour));
    for (int minute = 0; minute <= 59; ++minute)
        Combo_Min().AddItem(QString::number(minute));

    const Alarm& alarm = m_module.alarm();
    m_alarmTab.showArmed(alarm.Timer_AlarmEnabled());
    if (alarm.Timer_AlarmEnabled()) {
        Combo_Hour().setListIndex(alarm.state().AlarmHour);
        Combo_Min().setListIndex(alarm.state().AlarmMin);
    }

    Timer_Statusbar_Timer();
}

void frmOption::TabStrip1_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    const int selected = m_tabStrip1->SelectedIndex();
    for (int index = 0; index < m_tabStrip1->TabCount(); ++index) {
        PictureBox& page = PicOption(index);
        if (index == selected - 1) {
            page.move(Twips::toPixels(PageLeft), Twips::toPixels(PageTop));
            page.setVisible(true);
        } else {
            page.setVisible(false);
        }
    }
}

// The status bar changes when a new second begins, so it is refreshed just
// after each one, in step with the clock's hands.
void frmOption::Timer_Statusbar_Timer()
{
    const LocalDateTime now = m_module.platform().time.now();
    const std::array<QString, 3> texts = StatusBarText::panels(now, QLocale());
    for (std::size_t panel = 0; panel < texts.size(); ++panel)
        m_panels[panel]->setText(texts[panel]);
    m_timerStatusbar->start(TimeSteps::untilNextSecond(now.time, TimeSteps::AfterNewSecondMs));
}

// A swatch is clicked as a text box is: the button goes down and up over it.
bool frmOption::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        auto* box = static_cast<QLineEdit*>(watched);
        if (release->button() == Qt::LeftButton && box->rect().contains(release->position().toPoint())) {
            if (box == m_textLine1)
                Text_line1_Click();
            else if (box == m_textLine2)
                Text_line2_Click();
            else if (box == m_textLine3)
                Text_line3_Click();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmOption::Text_line1_Click()
{
    chooseHandColor(1);
}

void frmOption::Text_line2_Click()
{
    chooseHandColor(2);
}

void frmOption::Text_line3_Click()
{
    chooseHandColor(3);
}

// Whichever way the dialog closes, the hand takes the dialog's colour: after
// a cancel that is the colour last picked here, or black before any pick.
void frmOption::chooseHandColor(int hand)
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    const std::optional<QColor> picked = m_module.platform().dialogs.ShowColor(
        this, OleColor::toColor(m_commonDialogColor, palette()));
    if (picked)
        m_commonDialogColor = OleColor::fromRgb(picked->red(), picked->green(), picked->blue());
    m_settings.changeColor(hand, m_commonDialogColor);
}

// The sample hand and the swatch follow the clock's hand.
void frmOption::showHandColor(int hand, std::uint32_t color)
{
    LineControl* sampleHands[] = {&m_line1, &m_line2, &m_line3};
    QLineEdit* swatches[] = {m_textLine1, m_textLine2, m_textLine3};
    sampleHands[hand - 1]->setBorderColor(color);
    showColor(*swatches[hand - 1], color);
}

// The sample hands are always one pixel thinner than the clock's.
void frmOption::showHandWidth(int clockWidth)
{
    for (LineControl* hand : {&m_line1, &m_line2, &m_line3})
        hand->setBorderWidth(clockWidth - 1);
}

void frmOption::Cmd_HandsDefault_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_settings.resetHands();
}

void frmOption::Combo_Border_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    const int index = m_comboBorder->ListIndex();
    if (index < 0 || index >= int(SettingKeys::Border.words.size()))
        return;
    m_settings.changeHandWidth(SettingKeys::Border.words.at(std::size_t(index)).value);
}

void frmOption::Combo_ClockInterface_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    const int index = m_comboClockInterface->ListIndex();
    if (index < 0 || index >= int(SettingKeys::Window.words.size()))
        return;
    const bool top = SettingKeys::Window.words.at(std::size_t(index)).value != 0;
    m_settings.changeTopmost(top);
    m_module.msgBox(top ? QStringLiteral("The Clock is on the Top!")
                        : QStringLiteral("The Clock is Normal Window now!"),
                    MsgBox::vbOKOnly);
}

void frmOption::Cmd_time_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_module.platform().launcher.openDateTimeSettings();
}

// A file that is no picture leaves the face as it was, yet the path is stored
// as chosen: every step after the file dialog goes on regardless.
void frmOption::Cmd_ChangePic_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_module.msgBox(QStringLiteral("Please open the file as 64 x 64 pixels JPG / GIF format."), MsgBox::vbOKOnly);
    const QString file = m_module.platform().dialogs.ShowOpen(this, m_commonDialogFilter);
    if (file.isEmpty())
        return;
    m_look.setFace(file);
    m_module.msgBox(QStringLiteral("You clock 's background is changed."), MsgBox::vbInformation);
    m_settings.storeFace(file);
}

// The stored path is emptied first, so even without tansy.gif the next start
// shows the built-in face; the message only comes when the face did change.
void frmOption::Cmd_Default_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_settings.storeFace(QString());
    if (!m_look.setFace(m_module.fileBeside(QStringLiteral("tansy.gif"))))
        return;
    m_module.msgBox(QStringLiteral("The Clock's BG is changed to default Tansy picture."), MsgBox::vbInformation);
}

void frmOption::Cmd_Help_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_module.platform().dialogs.ShowHelp(m_module.fileBeside(QStringLiteral("Tansywatch.hlp")));
}

void frmOption::Cmd_About_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    m_forms.Show(Forms::Form::About);
}

void frmOption::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
}

void frmOption::reject()
{
    close();
}

void frmOption::closeEvent(QCloseEvent* event)
{
    m_forms.Unload(Forms::Form::Options);
    event->accept();
}
