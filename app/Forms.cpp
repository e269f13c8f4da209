#include "app/Forms.h"

#include "alarm/TimesUP.h"
#include "clock/frmClock.h"
#include "options/frmOption.h"

#include <QCoreApplication>

Forms::Forms(Module1& module)
    : clock(module)
    , options(module)
    , popup(module)
{
}

// Windows unloaded in the last moments before the event loop ended are still
// waiting to be deleted; the ones still open go with the program.
Forms::~Forms()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
