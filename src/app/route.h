#pragma once

#include <optional>
#include <string>
#include <vector>

// A scripted run: key events at game times, read from a text file of lines "TIME KEY ACTION".
struct RouteEvent {
    double time = 0.0; // game seconds from the first pass
    int key = 0;       // GLFW key code
    int action = 0;    // GLFW_PRESS or GLFW_RELEASE
    int line = 0;      // where it stands in the file
};

struct Route {
    std::vector<RouteEvent> events; // in file order
};

struct RouteError {
    int line = 0; // 0: the file itself could not be read
    std::string message;
};

// GLFW key code for a route key name (a letter, SPACE, TAB, ESCAPE, F1..F12), or -1.
int routeKeyCode(const std::string& name);

// Parses route text. '#' starts a comment; blank lines are ignored. The first malformed line
// is refused with its number.
std::optional<Route> parseRoute(const std::string& text, RouteError& error);
std::optional<Route> loadRoute(const std::string& path, RouteError& error);

// The pass in which an event is delivered: round(time / frameTime).
long passForTime(double time, double frameTime);
