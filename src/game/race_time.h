#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Times as time-attack players read and compare them: whole milliseconds. Every time the game
// shows, ranks or awards a medal for goes through raceMilliseconds, so what the screen says is
// what was compared.
long long raceMilliseconds(float seconds);

// "35.633": seconds with three decimals.
std::string raceTimeText(long long milliseconds);

// A difference to a best time in seconds with its sign and two decimals, rounded: "-0.35",
// "+1.20", "+0.00" for none.
std::string raceDifferenceText(long long milliseconds);

// "1st", "2nd", "3rd", "4th", ... "11th", "12th", "13th", "21st".
std::string ordinalText(std::size_t place);
