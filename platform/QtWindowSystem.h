#pragma once

#include "platform/WindowSystem.h"

class QtWindowSystem final : public WindowSystem
{
public:
    void setTopmost(QWidget& window, bool topmost) override;
    void setOwner(QWidget& window, QWidget& owner) override;
    void startMove(QWidget& window) override;
};
