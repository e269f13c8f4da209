#pragma once

#include "platform/TimeSource.h"

#include <ctime>

// The wall clock in local time. The time zone is looked up again once a
// minute, which notices the user moving to another zone, instead of at every
// reading (the clock reads the time several times a second).
class SystemTimeSource final : public TimeSource
{
public:
    LocalDateTime now() const override;

private:
    mutable std::time_t m_zoneCheckedAt = -1; // in minutes
};
