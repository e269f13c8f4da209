#pragma once

#include <QDate>
#include <QTime>

// The local date and time as the wall clock shows them.
struct LocalDateTime
{
    QDate date;
    QTime time;
};

// The one place the program learns the local date and time, so that the clock,
// the alarm and the status bar can be driven by a fake clock in tests.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual LocalDateTime now() const = 0;
};
