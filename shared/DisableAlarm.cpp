#include "shared/DisableAlarm.h"

#include "alarm/AlarmWatch.h"
#include "platform/Forms.h"
#include "shared/Module1.h"

void DisableAlarm(Module1& module, Forms& forms)
{
    module.PlaySoundCue(QStringLiteral("quit.wav"));
    if (module.msgBox(AlarmWatch::disableQuestion(module.alarm().state()), MsgBox::vbYesNo + MsgBox::vbQuestion)
        != MsgBox::vbYes)
        return;

    module.alarm().disarm();
    module.msgBox(QStringLiteral("Alarm is Disabled now."), MsgBox::vbInformation);
    forms.Unload(Forms::Form::Popup);
    forms.Unload(Forms::Form::Options);
}
