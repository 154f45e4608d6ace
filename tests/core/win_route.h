#pragma once

// The shipped winning route, changed as a scenario needs: events of its own first, and every
// event of the route from a moment on a while later, the player standing still meanwhile or not.

#include "runs/route.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

struct WinRouteChange {
    std::vector<std::pair<double, std::string>> first{}; // events before the route's, "F11 press"
    double from = 1e9;                                   // the route's events from here on come
    double later = 0.0;                                  // this much later,
    bool standStill = false;                             // letting go of W meanwhile
};

inline Route winningRoute(const WinRouteChange& change = {})
{
    std::vector<std::pair<double, std::string>> events = change.first;
    std::ifstream win(std::filesystem::path(KORVEL_SOURCE_DIR) / "routes" / "win.route");
    for (std::string line; std::getline(win, line);) {
        std::istringstream words(line);
        double at = 0.0;
        std::string rest;
        if (!line.empty() && line[0] != '#' && (words >> at) && std::getline(words, rest)) {
            events.emplace_back(at >= change.from ? at + change.later : at, rest.substr(1));
        }
    }
    if (change.standStill) {
        events.emplace_back(change.from, "W release");
        events.emplace_back(change.from + change.later, "W press");
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::ostringstream text;
    for (const auto& [at, event] : events) {
        text << at << " " << event << "\n";
    }
    ParseError error;
    std::optional<Route> route = parseRoute(text.str(), error);
    EXPECT_TRUE(route) << error.line << ": " << error.message;
    return route.value_or(Route{});
}
