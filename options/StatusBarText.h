#pragma once

#include "platform/TimeSource.h"

#include <QLocale>
#include <QString>

#include <array>

// The options dialog's status bar: the time and the date as the user's locale
// writes them, and the weekday in English whatever the language.
class StatusBarText final
{
public:
    static std::array<QString, 3> panels(const LocalDateTime& now, const QLocale& locale);
    // The locale's long time format (hours, minutes, seconds) without the
    // time-zone name.
    static QString timeFormat(const QLocale& locale);
};
