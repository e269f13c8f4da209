#pragma once

#include "platform/WindowSystem.h"

#include <vector>

// Records stacking changes and move requests instead of asking a window manager.
class FakeWindowSystem final : public WindowSystem
{
public:
    void setTopmost(QWidget&, bool topmost) override { topmostCalls.push_back(topmost); }
    void setOwner(QWidget&, QWidget&) override {}
    void placeBeside(QWidget&, QWidget&) override {}
    void startMove(QWidget&) override { ++moves; }
    void setShape(QWidget&, const QRegion&) override {}

    std::vector<bool> topmostCalls;
    int moves = 0;
};
