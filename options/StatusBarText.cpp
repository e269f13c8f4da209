#include "options/StatusBarText.h"

namespace {

const char* const Weekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

} // namespace

QString StatusBarText::timeFormat(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            kept += c;
    }
    return kept.simplified();
}

std::array<QString, 3> StatusBarText::panels(const LocalDateTime& now, const QLocale& locale)
{
    // Counted from Sunday = 1, as the weekday has always been numbered here.
    const int weekday = now.date.dayOfWeek() % 7 + 1;
    return {locale.toString(now.time, timeFormat(locale)), locale.toString(now.date, QLocale::ShortFormat),
            now.date.isValid() ? QString::fromLatin1(Weekdays[weekday - 1]) : QString()};
}
