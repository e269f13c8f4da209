#pragma once

// The form runtime's one instance of each window, as a window asks for
// another one or for itself. A window is created, and its load handler run,
// on the first request that needs it.
class Forms
{
public:
    enum class Form { Clock, Options, Popup, About };

    // Shows the window, creating it first when needed, and brings it forward.
    virtual void Show(Form form) = 0;
    // Keeps the window hidden, creating it first when needed.
    virtual void Hide(Form form) = 0;
    // Destroys the window; nothing when it does not exist.
    virtual void Unload(Form form) = 0;

protected:
    ~Forms() = default;
};
