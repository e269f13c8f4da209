#pragma once

#include <string_view>

// Where each hand's tip lies for a time of day. The clock has always turned
// degrees into radians with the factor 0.01745 and stored coordinates as
// single-precision numbers; stored settings and users' eyes are used to the
// exact positions this gives (3 o'clock is a hair above the centre line).
class HandsArithmetic final
{
public:
    struct Tip
    {
        float x;
        float y;
    };

    static constexpr double RadiansPerDegree = 0.01745;
    static constexpr double SecondLength = 50;
    static constexpr double MinuteLength = 43;
    static constexpr double HourLength = 30;

    // The seconds, minutes and hours fields of an hh:mm:ss time text.
    static double seconds(std::string_view timeText);
    static double minutes(std::string_view timeText);
    static double hours(std::string_view timeText);
    // 13 to 23 become 1 to 11; 0 and 12 stay.
    static double twelveHour(double hours);

    static Tip secondTip(float centreX, float centreY, double seconds);
    static Tip minuteTip(float centreX, float centreY, double minutes);
    static Tip hourTip(float centreX, float centreY, double hours, double minutes);

private:
    static Tip tip(float centreX, float centreY, double length, double angle);
};
