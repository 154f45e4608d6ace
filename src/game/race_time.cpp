#include "game/race_time.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

long long raceMilliseconds(float seconds)
{
    return std::llround(static_cast<double>(seconds) * 1000.0);
}

std::string raceTimeText(long long milliseconds)
{
    char text[32];
    const long long whole = std::llabs(milliseconds);
    std::snprintf(text, sizeof text, "%s%lld.%03lld", milliseconds < 0 ? "-" : "", whole / 1000,
                  whole % 1000);
    return text;
}

std::string raceDifferenceText(long long milliseconds)
{
    const long long hundredths = (std::llabs(milliseconds) + 5) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%c%lld.%02lld", milliseconds < 0 ? '-' : '+',
                  hundredths / 100, hundredths % 100);
    return text;
}

std::string ordinalText(std::size_t place)
{
    const std::size_t lastTwo = place % 100;
    const std::size_t last = place % 10;
    const char* suffix = (lastTwo >= 11 && lastTwo <= 13) ? "th"
                         : last == 1                      ? "st"
                         : last == 2                      ? "nd"
                         : last == 3                      ? "rd"
                                                          : "th";
    return std::to_string(place) + suffix;
}
