#pragma once

#include "controls/ImageControl.h"
#include "controls/LineControl.h"

#include <array>

class ComboBox;
class Forms;
class Module1;
class PictureBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The options dialog's "Alarm" page: the alarm's hour and minute, arming and
// disarming, and the choice of its sound. Nothing here is stored on disk.
class AlarmTab final
{
public:
    AlarmTab(Module1& module, Forms& forms, PictureBox& page);

    // The page's alarm picture and button follow whether an alarm is armed.
    void showArmed(bool armed);

    ComboBox& Combo_Hour() const { return *m_comboHour; }
    ComboBox& Combo_Min() const { return *m_comboMin; }
    ImageControl& Image_Alarm() { return m_imageAlarm; }
    QPushButton& Cmd_Alarm() const { return *m_cmdAlarm; }
    QRadioButton& Option_sound(int index) const { return *m_optionSound.at(static_cast<std::size_t>(index)); }

    void Combo_Hour_Click();
    void Combo_Min_Click();
    void Cmd_Alarm_Click();
    void Option_sound_Click(int index);

private:
    Module1& m_module;
    Forms& m_forms;
    ComboBox* m_comboHour;
    ComboBox* m_comboMin;
    ImageControl m_imageAlarm;
    QPushButton* m_cmdAlarm;
    LineControl m_line4_2;
    LineControl m_line4_3;
    std::array<QRadioButton*, 3> m_optionSound;
};
