#include "session_route.h"

namespace {

void add(Route& route, double time, Key key, KeyAction action)
{
    route.events.push_back({time, key, action, 0});
}

void tap(Route& route, double time, Key key)
{
    add(route, time, key, KeyAction::press);
    add(route, time + 0.1, key, KeyAction::release);
}

// One cycle's keys from its restart at start. The walk to the edge lasts 0.8 s, as in
// fall.route; it begins 1.5 to 2.0 s in, so the death on the floor (about 1.7 s after the walk
// begins) always comes before F11, pressed 4.3 s in.
void addCycle(Route& route, long cycle, double start)
{
    const long variant = cycle % 4;
    const double walk =
        start + 1.5 + 0.05 * static_cast<double>(cycle % 5) + (variant == 2 ? 0.3 : 0.0);
    if (variant == 1) {
        tap(route, start + 0.6, Key::space); // a standing jump on the first run
    }
    add(route, walk, Key::d, KeyAction::press);
    if (variant == 3) {
        tap(route, walk + 0.4, Key::space); // a jump on the way to the edge
    }
    add(route, walk + 0.8, Key::d, KeyAction::release);
    tap(route, start + 4.3, Key::f11);
}

} // namespace

Route sessionRoute(double seconds)
{
    Route route;
    for (long cycle = 0;; ++cycle) {
        const double start = static_cast<double>(cycle) * sessionCycleSeconds;
        if (start > seconds + 2.0 * sessionCycleSeconds) {
            break;
        }
        addCycle(route, cycle, start);
    }
    return route;
}

long restartsAmong(const Route& route, std::size_t delivered)
{
    long restarts = 0;
    for (std::size_t i = 0; i < delivered && i < route.events.size(); ++i) {
        const RouteEvent& event = route.events[i];
        restarts += event.key == Key::f11 && event.action == KeyAction::release ? 1 : 0;
    }
    return restarts;
}
