#pragma once

#include <QDate>
#include <QTime>

// The local date and time as the wall clock shows them, and the moment itself:
// the local reading is ambiguous in the hour an autumn change repeats.
struct LocalDateTime
{
    QDate date;
    QTime time;
    qint64 msecsSinceEpoch = 0;
};

// The one place the program learns the local date and time, so that the clock,
// the alarm and the status bar can be driven by a fake clock in tests.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual LocalDateTime now() const = 0;
};

// How long a timer waits to wake `after` milliseconds past the next new second
// or minute: the moments when what the user sees can change.
namespace TimeSteps {
// A little past the new second, so that a timer that fires a hair early still
// reads the new one.
constexpr int AfterNewSecondMs = 10;

inline int untilNextSecond(const QTime& now, int after)
{
    return 1000 - qBound(0, now.msec(), 999) + after;
}
inline int untilNextMinute(const QTime& now, int after)
{
    return (59 - qBound(0, now.second(), 59)) * 1000 + untilNextSecond(now, after);
}
} // namespace TimeSteps
