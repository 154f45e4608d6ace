#include "runs/route.h"

#include "game/key_names.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool parseTime(const std::string& word, double& time)
{
    if (word.empty() || word.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    time = std::strtod(word.c_str(), &end);
    return end == word.c_str() + word.size() && std::isfinite(time);
}

} // namespace

std::optional<Route> parseRoute(const std::string& text, ParseError& error)
{
    Route route;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (const size_t comment = line.find('#'); comment != std::string::npos) {
            line.erase(comment);
        }
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) {
            parts.push_back(word);
        }
        if (parts.empty()) {
            continue;
        }
        RouteEvent event;
        event.line = number;
        const auto refuse = [&](const std::string& why) {
            error = {number, why};
            return std::nullopt;
        };
        if (parts.size() != 3) {
            return refuse("expected TIME KEY ACTION");
        }
        if (!parseTime(parts[0], event.time)) {
            return refuse("bad time '" + parts[0] + "'");
        }
        // Events are delivered in the order they are listed, so an earlier time listed after a
        // later one would quietly come late: the author surely meant otherwise.
        if (!route.events.empty() && event.time < route.events.back().time) {
            return refuse("time " + parts[0] + " comes before the line above it");
        }
        event.key = keyNamed(parts[1]);
        if (event.key == Key::other) {
            return refuse("unknown key '" + parts[1] + "'");
        }
        // A route presses and releases; a key's repeat is the window's, never a player's plan.
        const std::optional<KeyAction> action = actionNamed(parts[2]);
        if (!action || *action == KeyAction::repeat) {
            return refuse("unknown action '" + parts[2] + "'");
        }
        event.action = *action;
        route.events.push_back(event);
    }
    return route;
}

std::optional<Route> loadRoute(const std::string& path, ParseError& error)
{
    std::ifstream file(path);
    if (!file) {
        error = {0, "cannot read " + path};
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseRoute(text.str(), error);
}

long passForTime(double time, double frameTime)
{
    return std::lround(time / frameTime);
}
