#pragma once

class Forms;
class Module1;

// The one way an alarm is switched off: asks, and on Yes disarms it (the
// windows then hide their alarm pictures) and closes the pop-up and the
// options dialog. Runs only while an alarm is armed; a ringing alarm keeps
// ringing while the question is open.
void DisableAlarm(Module1& module, Forms& forms);
