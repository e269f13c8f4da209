#pragma once

#include "platform/HeapTrim.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// The one instance of a window. A reference creates the window when it does
// not exist and only then runs its load handler, so that anything the load
// sets off (a timer during one of its message boxes) finds the window there
// rather than making a second one.
template <class Form>
class FormSlot final
{
public:
    explicit FormSlot(std::function<Form*()> create)
        : m_create(std::move(create))
    {
    }
    ~FormSlot() { delete m_form; }
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    Form& operator()()
    {
        if (!m_form) {
            m_form = m_create();
            m_form->Form_Load();
        }
        return *m_form;
    }

    // The window if it exists; never creates it.
    Form* loaded() const { return m_form; }

    // Destroys the window; nothing when it does not exist. Its handlers may
    // still be running further up the stack, so it is hidden and forgotten at
    // once and deleted when control returns to the event loop.
    void Unload()
    {
        Form* const form = std::exchange(m_form, nullptr);
        if (!form)
            return;
        for (QTimer* timer : form->template findChildren<QTimer*>())
            timer->stop();
        form->hide();
        // Once the window and all its children are gone, what they freed goes
        // back to the system.
        QObject::connect(form, &QObject::destroyed, [] {
            QMetaObject::invokeMethod(QCoreApplication::instance(), &HeapTrim::releaseFreedMemory,
                                      Qt::QueuedConnection);
        });
        form->deleteLater();
    }

private:
    std::function<Form*()> m_create;
    Form* m_form = nullptr;
};
