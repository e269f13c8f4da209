#include "app/Program.h"

#include "about/frmAbout.h"
#include "clock/frmClock.h"
#include "options/frmOption.h"
#include "platform/WindowSystem.h"
#include "popup/TimesUP.h"
#include "shared/Module1.h"

#include <QCoreApplication>

Program::Program(Module1& module)
    : m_module(module)
    , m_look(module.programDirectory())
    , m_lookSettings(module, m_look)
    , m_clock([this] { return new frmClock(m_module, *this, m_lookSettings); })
    , m_options([this] {
        auto* options = new frmOption(m_module, *this, m_lookSettings);
        // The dialog belongs to the clock, and opens beside it.
        m_module.platform().windows.setOwner(*options, clock());
        m_module.platform().windows.placeBeside(*options, clock());
        return options;
    })
    , m_popup([this] { return new TimesUP(m_module, *this); })
    , m_about([this] {
        auto* about = new frmAbout(m_module, *this);
        m_module.platform().windows.setOwner(*about, clock());
        return about;
    })
{
    QObject::connect(&module.alarm(), &Alarm::wentOff, &m_look, [this] {
        TimesUP& shown = popup();
        shown.show();
        shown.raise();
    });
}

// Windows unloaded in the last moments before the event loop ended are still
// waiting to be deleted; the ones still open go with the program.
Program::~Program()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

frmClock& Program::clock()
{
    return m_clock();
}

frmOption& Program::options()
{
    return m_options();
}

TimesUP& Program::popup()
{
    return m_popup();
}

frmAbout& Program::about()
{
    return m_about();
}

template <class Act>
decltype(auto) Program::onSlot(Form form, Act act)
{
    switch (form) {
    case Form::Clock:
        return act(m_clock);
    case Form::Options:
        return act(m_options);
    case Form::Popup:
        return act(m_popup);
    case Form::About:
        break;
    }
    return act(m_about);
}

QWidget& Program::formWindow(Form form)
{
    return onSlot(form, [](auto& slot) -> QWidget& { return slot(); });
}

QWidget* Program::loaded(Form form)
{
    return onSlot(form, [](auto& slot) -> QWidget* { return slot.loaded(); });
}

void Program::Show(Form form)
{
    QWidget& shown = formWindow(form);
    shown.show();
    shown.raise();
    shown.activateWindow();
}

void Program::Hide(Form form)
{
    formWindow(form).hide();
}

void Program::Unload(Form form)
{
    onSlot(form, [](auto& slot) { slot.Unload(); });
}
