#include "clock/HandsArithmetic.h"

#include "settings/VbConversion.h"

#include <cmath>

namespace {

double field(std::string_view text, std::size_t start)
{
    return start < text.size() ? VbConversion::val(text.substr(start, 2)) : 0.0;
}

} // namespace

double HandsArithmetic::seconds(std::string_view timeText)
{
    return field(timeText, 6);
}

double HandsArithmetic::minutes(std::string_view timeText)
{
    return field(timeText, 3);
}

double HandsArithmetic::hours(std::string_view timeText)
{
    return field(timeText, 0);
}

double HandsArithmetic::twelveHour(double hours)
{
    return hours > 12 ? hours - 12 : hours;
}

HandsArithmetic::Tip HandsArithmetic::tip(float centreX, float centreY, double length, double angle)
{
    return {static_cast<float>(centreX + length * std::sin(angle)),
            static_cast<float>(centreY - length * std::cos(angle))};
}

HandsArithmetic::Tip HandsArithmetic::secondTip(float centreX, float centreY, double seconds)
{
    return tip(centreX, centreY, SecondLength, seconds * 6 * RadiansPerDegree);
}

HandsArithmetic::Tip HandsArithmetic::minuteTip(float centreX, float centreY, double minutes)
{
    return tip(centreX, centreY, MinuteLength, minutes * 6 * RadiansPerDegree);
}

HandsArithmetic::Tip HandsArithmetic::hourTip(float centreX, float centreY, double hours, double minutes)
{
    return tip(centreX, centreY, HourLength, (hours + minutes / 60) * 30 * RadiansPerDegree);
}
