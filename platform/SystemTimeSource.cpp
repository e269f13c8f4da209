#include "platform/SystemTimeSource.h"

#include <algorithm>
#include <time.h>

LocalDateTime SystemTimeSource::now() const
{
    timespec clock{};
    ::clock_gettime(CLOCK_REALTIME, &clock);
    if (clock.tv_sec / 60 != m_zoneCheckedAt) {
        ::tzset();
        m_zoneCheckedAt = clock.tv_sec / 60;
    }
    tm local{};
    if (::localtime_r(&clock.tv_sec, &local) == nullptr)
        return {};
    // A leap second shows as :59 held for two seconds, as the hands expect.
    return {QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            QTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(clock.tv_nsec / 1000000)),
            qint64(clock.tv_sec) * 1000 + clock.tv_nsec / 1000000};
}
