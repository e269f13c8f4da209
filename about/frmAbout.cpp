#include "about/frmAbout.h"

#include "controls/Design.h"
#include "controls/DesignFont.h"
#include "controls/OleColor.h"
#include "controls/Twips.h"
#include "platform/Forms.h"
#include "platform/Launcher.h"
#include "shared/Module1.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

using Design::label;
using DesignFont::arial;
using DesignFont::formFont;
using Twips::toPixels;
using Twips::toRect;

namespace {

// The maker's web page, as the link shows it and as it is opened.
constexpr const char* WebAddress = "tansywatch.example.org";

constexpr const char* Notice = "You may copy, change and share this program under the GNU GPL, version 3 or later. "
                               "It comes with no warranty of any kind. You use it at your own risk.";

// Line1(0) and Line1(1), in twips: a grey line over a white one etches a rule
// across the window. Both are horizontal, and the width grows downwards.
struct RuleLine
{
    int x1;
    int x2;
    int y;
    std::uint32_t color;
    int width;
};
constexpr RuleLine Line1[] = {{105, 4920, 2460, 0xFFFFFF, 2}, {105, 4920, 2445, 0x808080, 1}};

constexpr const char* SysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* SysInfoValue = "PATH";
constexpr const char* SysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* SysInfoLocationValue = "MSINFO";
constexpr const char* SysInfoProgram = "MSINFO32.EXE";
constexpr int KeyValBufferSize = 1024;

// Windows keeps this directory with a backslash before the program's name;
// here the separator is a slash, added only when the directory lacks one.
QString inDirectory(const QString& directory, const char* fileName)
{
    const QString separator = directory.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
    return directory + separator + QLatin1String(fileName);
}

QPushButton* button(const char* caption, QWidget* parent, const QRect& geometry)
{
    return Design::place(new QPushButton(QString::fromLatin1(caption), parent), geometry);
}

void setTextColor(QLabel& label, std::uint32_t oleColor)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, OleColor::toColor(oleColor, palette));
    label.setPalette(palette);
}

} // namespace

frmAbout::frmAbout(Module1& module, Forms& forms)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_module(module)
    , m_forms(forms)
    , m_image1(label("", formFont(this), toRect(120, 240, 1500, 1620)))
    , m_lblTitle(label("", this, toRect(1800, 240, 3165, 480)))
    , m_lblVersion{label("Requirement:  Win 98 / Me / 2003 / XP", this, toRect(1800, 720, 3375, 255)),
                   label("Programmer: the Tansywatch team", this, toRect(1800, 1320, 3375, 255)),
                   label("Version: 1.1", this, toRect(3720, 360, 1095, 255)),
                   label("For 32-bit Windows Development", this, toRect(1800, 960, 3375, 255)),
                   label("Made by Tansy Works", this, toRect(1800, 1680, 3375, 255))}
    , m_label3{label(WebAddress, this, toRect(1800, 2040, 2295, 255))}
    , m_lblDisclaimer(label("Warining:", this, toRect(120, 2520, 750, 225)))
    , m_labelWarning(label("", this, toRect(120, 2760, 3255, 855)))
    , m_cmdOK(button("Exit", this, toRect(3600, 2625, 1140, 345)))
    , m_cmdSysInfo(button("System(&S)...", this, toRect(3600, 3075, 1125, 345)))
{
    setFixedSize(toPixels(4890), toPixels(3540));
    setGeometry(toPixels(2340), toPixels(1935), width(), height());

    m_image1->setPixmap(QPixmap::fromImage(Design::picture("mascot.gif", devicePixelRatioF())));
    QFont titleFont = arial(14.25);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    setTextColor(*m_lblTitle, 0x000000);
    setTextColor(*m_lblDisclaimer, 0x000000);
    m_labelWarning->setFont(arial(6.75));
    m_labelWarning->setWordWrap(true);

    QLabel& link = Label3(2);
    QFont linkFont = arial(9);
    linkFont.setUnderline(true);
    link.setFont(linkFont);
    setTextColor(link, 0x008000);
    link.setLineWidth(1);
    // A framed label would otherwise indent its text by half a letter.
    link.setIndent(0);
    setLinkFramed(false);
    // Without tracking, moves over the link with no button held would never
    // reach it; the form's own moves take the frame off again.
    link.setMouseTracking(true);
    link.installEventFilter(this);
    setMouseTracking(true);

    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    const QString title = QString::fromLatin1(Module1::ProgramTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    m_lblTitle->setText(title);
    m_labelWarning->setText(QString::fromLatin1(Notice));
}

void frmAbout::cmdOK_Click()
{
    m_forms.Unload(Forms::Form::About);
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

// Every failure, a run-time error included, ends in the one message.
void frmAbout::StartSysInfo()
{
    QString SysInfoPath;
    const std::optional<bool> registered = GetKeyValue(Registry::HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoKey),
                                                       QString::fromLatin1(SysInfoValue), SysInfoPath);
    if (!registered) {
        sysInfoUnavailable();
        return;
    }
    // A path from the first value is taken as it is, without asking whether
    // the file is there; only the directory from the second is looked into.
    if (!*registered) {
        if (!GetKeyValue(Registry::HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoLocationKey),
                         QString::fromLatin1(SysInfoLocationValue), SysInfoPath)
                 .value_or(false)) {
            sysInfoUnavailable();
            return;
        }
        const QString program = inDirectory(SysInfoPath, SysInfoProgram);
        if (!QFileInfo(program).isFile()) {
            sysInfoUnavailable();
            return;
        }
        SysInfoPath = program;
    }
    if (!m_module.platform().launcher.start(SysInfoPath, {}))
        sysInfoUnavailable();
}

void frmAbout::sysInfoUnavailable() const
{
    m_module.msgBox(QStringLiteral("目前無法提供系統資訊"), MsgBox::vbOKOnly);
}

std::optional<bool> frmAbout::GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                                          QString& KeyVal) const
{
    Registry& registry = m_module.platform().registry;
    Registry::HKEY hKey = 0;
    QByteArray tmpVal(KeyValBufferSize, '\0');
    auto KeyValSize = static_cast<std::uint32_t>(KeyValBufferSize);
    std::uint32_t KeyValType = 0;
    if (registry.RegOpenKeyEx(KeyRoot, KeyName, 0, Registry::KEY_READ_ALL, hKey) != Registry::ERROR_SUCCESS
        || registry.RegQueryValueEx(hKey, SubKeyRef, KeyValType, tmpVal, KeyValSize) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        registry.RegCloseKey(hKey);
        return false;
    }
    // The key is closed on every way out, the run-time error's included.
    registry.RegCloseKey(hKey);
    if (KeyValSize == 0)
        return std::nullopt;

    // Text values end in a zero, which is not part of the text, and come in
    // the system's narrow encoding; a number is taken byte by byte.
    const int size = static_cast<int>(KeyValSize);
    const int kept = tmpVal.at(size - 1) == '\0' ? size - 1 : size;
    switch (KeyValType) {
    case Registry::REG_SZ:
        KeyVal = QString::fromLocal8Bit(tmpVal.constData(), kept);
        break;
    case Registry::REG_DWORD:
        // Byte by byte from the most significant one, each without its
        // leading zero (00 0A gives "0A", not "000A"), after what KeyVal
        // already holds.
        for (int index = kept - 1; index >= 0; --index)
            KeyVal += QString::number(static_cast<unsigned char>(tmpVal.at(index)), 16).toUpper();
        KeyVal.prepend(QStringLiteral("&h"));
        break;
    default:
        break;
    }
    return true;
}

void frmAbout::Label3_Click()
{
    // The link shows the address as people type it; the browser gets it whole.
    QUrl address = QUrl::fromUserInput(QString::fromLatin1(WebAddress));
    address.setScheme(QStringLiteral("https"));
    m_module.platform().launcher.openUrl(address.toString());
}

void frmAbout::Label3_MouseMove()
{
    setLinkFramed(true);
}

void frmAbout::Form_MouseMove()
{
    setLinkFramed(false);
}

// The frame takes the place of a margin of the same width, so the address
// stays where it is when the frame comes and goes.
void frmAbout::setLinkFramed(bool framed)
{
    QLabel& link = Label3(2);
    link.setFrameStyle(framed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    link.setMargin(framed ? 0 : 1);
}

void frmAbout::reject()
{
    cmdOK_Click();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    QLabel& link = Label3(2);
    if (watched == &link) {
        if (event->type() == QEvent::MouseMove) {
            Label3_MouseMove();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && link.rect().contains(mouse->position().toPoint()))
                Label3_Click();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A move over a label, the picture or a button may still come up to the form;
// only the bare surface, where the rule lies too, takes the frame off.
void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const RuleLine& line : Line1) {
        const int top = toPixels(line.y);
        painter.fillRect(QRect(QPoint(toPixels(line.x1), top), QPoint(toPixels(line.x2), top + line.width - 1)),
                         OleColor::toColor(line.color, palette()));
    }
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    m_forms.Unload(Forms::Form::About);
    event->accept();
}
