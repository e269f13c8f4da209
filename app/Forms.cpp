#include "app/Forms.h"

#include "about/frmAbout.h"
#include "alarm/TimesUP.h"
#include "clock/frmClock.h"
#include "options/frmOption.h"

#include <QCoreApplication>

Forms::Forms(Module1& module)
    : clock(module)
    , options(module)
    , popup(module)
    , about(module)
{
}

// Windows unloaded in the last moments before the event loop ended are still
// waiting to be deleted; the ones still open go with the program.
Forms::~Forms()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
