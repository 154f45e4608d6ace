#include "session_route.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// The events of one cycle, by their time from its restart, up to and with F11's release (the
// next cycle's restart).
std::vector<RouteEvent> cycleEvents(const Route& route, long cycle)
{
    const double start = static_cast<double>(cycle) * sessionCycleSeconds;
    std::vector<RouteEvent> events;
    for (RouteEvent event : route.events) {
        event.time -= start;
        if (event.time >= -1e-9 && event.time <= sessionCycleSeconds + 1e-9) {
            events.push_back(event);
        }
    }
    return events;
}

} // namespace

TEST(SessionRoute, CoversTheSessionAndComesInTimeOrder)
{
    const Route route = sessionRoute(120.0);
    ASSERT_FALSE(route.events.empty());
    EXPECT_GT(route.events.back().time, 120.0 + sessionCycleSeconds);
    for (std::size_t i = 1; i < route.events.size(); ++i) {
        EXPECT_LE(route.events[i - 1].time, route.events[i].time) << i;
    }
}

// The fall takes about 1.7 s from the start of the walk to the floor; F11 comes 4.3 s in.
TEST(SessionRoute, EveryCycleWalksOffInTimeAndRestartsWithNothingHeld)
{
    const Route route = sessionRoute(120.0);
    std::set<std::size_t> cycleShapes;
    for (long cycle = 0; cycle < 27; ++cycle) {
        const std::vector<RouteEvent> events = cycleEvents(route, cycle);
        cycleShapes.insert(events.size());
        ASSERT_GE(events.size(), 4U) << cycle;
        std::set<Key> held;
        double walk = -1.0;
        for (const RouteEvent& event : events) {
            if (event.key == Key::f11) {
                EXPECT_TRUE(held.empty()) << cycle << ": a key is held at the restart";
                continue;
            }
            if (event.key == Key::d && event.action == KeyAction::press) {
                walk = event.time;
            }
            if (event.action == KeyAction::press) {
                held.insert(event.key);
            } else {
                held.erase(event.key);
            }
        }
        EXPECT_GE(walk, 1.5) << cycle;
        EXPECT_LE(walk + 1.7, 4.3 - 0.5) << cycle << ": the death comes too late";
        EXPECT_NEAR(events[events.size() - 2].time, 4.3, 1e-9) << cycle;
        EXPECT_NEAR(events.back().time, sessionCycleSeconds, 1e-9) << cycle;
    }
    EXPECT_GT(cycleShapes.size(), 1U) << "the cycles do not vary";
}
