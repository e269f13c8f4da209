#include "alarm/DisableAlarm.h"

#include "alarm/AlarmWatch.h"
#include "alarm/TimesUP.h"
#include "app/Module1.h"
#include "clock/frmClock.h"
#include "options/frmOption.h"

#include <QPushButton>

void DisableAlarm(Module1& module)
{
    module.PlaySoundCue(QStringLiteral("quit.wav"));
    if (module.msgBox(AlarmWatch::disableQuestion(module.alarm()), MsgBox::vbYesNo + MsgBox::vbQuestion)
        != MsgBox::vbYes)
        return;

    Forms& forms = module.forms();
    frmClock& clock = forms.clock();
    clock.Image_SmallAlarm().setVisible(false);
    clock.Image_SmallAlarm().setEnabled(false);
    // Creates the dialog, unseen, when it is not open; it is closed below.
    forms.options().Image_Alarm().setVisible(false);
    module.alarm().AlarmRinging = false;
    clock.setTimer_AlarmEnabled(false);
    forms.options().Cmd_Alarm().setText(QStringLiteral("Enable Alarm"));
    module.msgBox(QStringLiteral("Alarm is Disabled now."), MsgBox::vbInformation);
    forms.popup.Unload();
    forms.options.Unload();
}
