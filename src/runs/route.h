#pragma once

#include "game/input_codes.h"
#include "runs/parse_error.h"

#include <optional>
#include <string>
#include <vector>

// A scripted run: key events at game times, read from a text file of lines "TIME KEY ACTION".
struct RouteEvent {
    double time = 0.0; // game seconds from the first pass
    Key key = Key::other;
    KeyAction action = KeyAction::press; // press or release
    int line = 0;                        // where it stands in the file
};

struct Route {
    std::vector<RouteEvent> events; // in file order
};

// Parses route text. '#' starts a comment; blank lines are ignored. The first malformed line
// is refused with its number.
std::optional<Route> parseRoute(const std::string& text, ParseError& error);
std::optional<Route> loadRoute(const std::string& path, ParseError& error);

// The pass in which an event is delivered: round(time / frameTime).
long passForTime(double time, double frameTime);
