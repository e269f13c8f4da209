#include "options/AlarmTab.h"

#include "alarm/AlarmWatch.h"
#include "controls/ComboBox.h"
#include "controls/Design.h"
#include "controls/OleColor.h"
#include "controls/PictureBox.h"
#include "controls/Twips.h"
#include "platform/Forms.h"
#include "shared/DisableAlarm.h"
#include "shared/Module1.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using Design::label;
using Design::place;
using Twips::toPixelsF;
using Twips::toRect;

namespace {

const char* const SoundFiles[] = {"alarm1.wav", "alarm2.wav", "alarm3.wav"};

} // namespace

AlarmTab::AlarmTab(Module1& module, Forms& forms, PictureBox& page)
    : m_module(module)
    , m_forms(forms)
    , m_comboHour(place(new ComboBox(QStringLiteral("Hour"), &page), toRect(120, 240, 735, 330)))
    , m_comboMin(place(new ComboBox(QStringLiteral("Min"), &page), toRect(960, 240, 735, 330)))
    , m_imageAlarm(page, toRect(1680, 120, 960, 840), true)
    , m_cmdAlarm(place(new QPushButton(QStringLiteral("Enable Alarm"), &page), toRect(120, 690, 1575, 350)))
    , m_line4_2(page, 0, toPixelsF(1135), toPixelsF(2760), toPixelsF(1135), OleColor::GrayText, 1)
    , m_line4_3(page, 0, toPixelsF(1150), toPixelsF(2760), toPixelsF(1150), 0xFFFFFF, 1)
    , m_optionSound{place(new QRadioButton(QStringLiteral("Ling"), &page), toRect(120, 1440, 975, 255)),
                    place(new QRadioButton(QStringLiteral("DingDong"), &page), toRect(840, 1440, 1215, 255)),
                    place(new QRadioButton(QStringLiteral("Darling"), &page), toRect(1920, 1440, 975, 255))}
{
    label("Time Setting", &page, toRect(120, 0, 1095, 255));
    label("Sound Alarm", &page, toRect(120, 1200, 1095, 255));
    m_imageAlarm.setPicture(Design::picture("alarm_icon.gif", page.devicePixelRatioF()));
    m_imageAlarm.setVisible(false);

    QObject::connect(m_comboHour, &ComboBox::Click, &page, [this] { Combo_Hour_Click(); });
    QObject::connect(m_comboMin, &ComboBox::Click, &page, [this] { Combo_Min_Click(); });
    QObject::connect(m_cmdAlarm, &QPushButton::clicked, &page, [this] { Cmd_Alarm_Click(); });
    for (int index = 0; index < 3; ++index)
        QObject::connect(m_optionSound[static_cast<std::size_t>(index)], &QRadioButton::clicked, &page,
                         [this, index] { Option_sound_Click(index); });
    QObject::connect(&module.alarm(), &Alarm::armedChanged, &page, [this](bool armed) { showArmed(armed); });
}

void AlarmTab::showArmed(bool armed)
{
    m_imageAlarm.setVisible(armed);
    m_cmdAlarm->setText(armed ? QStringLiteral("Disable Alarm") : QStringLiteral("Enable Alarm"));
}

void AlarmTab::Combo_Hour_Click()
{
    const int index = m_comboHour->ListIndex();
    if (index >= 0)
        m_module.alarm().setAlarmHour(static_cast<std::int16_t>(m_comboHour->itemText(index).toShort()));
}

void AlarmTab::Combo_Min_Click()
{
    const int index = m_comboMin->ListIndex();
    if (index >= 0)
        m_module.alarm().setAlarmMin(static_cast<std::int16_t>(m_comboMin->itemText(index).toShort()));
}

// The dialog closes itself at the end of either branch; its window is deleted
// only once this handler has returned.
void AlarmTab::Cmd_Alarm_Click()
{
    m_module.PlaySoundCue(QStringLiteral("do.wav"));
    if (m_comboHour->ListIndex() < 0 || m_comboMin->ListIndex() < 0) {
        m_module.msgBox(QStringLiteral("Select Hour and Min value first."), MsgBox::vbInformation);
        return;
    }
    Alarm& alarm = m_module.alarm();
    if (alarm.Timer_AlarmEnabled()) {
        DisableAlarm(m_module, m_forms);
        return;
    }
    // The watch starts before the confirmation: an alarm set for this very
    // minute goes off while the box is still open.
    alarm.arm();
    m_module.msgBox(AlarmWatch::enabledMessage(alarm.state()), MsgBox::vbInformation);
    // The pop-up is made ready now and waits hidden; had the alarm gone off
    // during the box, its pop-up is put away again and it rings unseen.
    m_forms.Hide(Forms::Form::Popup);
    m_forms.Unload(Forms::Form::Options);
}

void AlarmTab::Option_sound_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    const QString file = QString::fromLatin1(SoundFiles[index]);
    // Heard while the question is open.
    m_module.PlaySoundCue(file);
    if (m_module.msgBox(QStringLiteral("Be the sound of alarm?"), MsgBox::vbYesNo + MsgBox::vbQuestion)
        == MsgBox::vbYes)
        m_module.alarm().setAlarmSoundFile(m_module.fileBeside(file));
}
