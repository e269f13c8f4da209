#pragma once

#include <QDateTime>

// The one place the program learns the local date and time, so that the clock,
// the alarm and the status bar can be driven by a fake clock in tests.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual QDateTime now() const = 0;
};
