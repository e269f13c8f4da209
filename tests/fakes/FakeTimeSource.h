#pragma once

#include "platform/TimeSource.h"

#include <QDateTime>

// A clock that stands still, at 7:00 on a Monday unless told otherwise,
// until the test moves it.
class FakeTimeSource final : public TimeSource
{
public:
    LocalDateTime now() const override { return {m_now.date(), m_now.time(), m_now.toMSecsSinceEpoch()}; }
    void set(const QDateTime& now) { m_now = now; }
    void setTime(const QTime& time) { m_now.setTime(time); }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now{QDate(2026, 12, 7), QTime(7, 0)};
};
