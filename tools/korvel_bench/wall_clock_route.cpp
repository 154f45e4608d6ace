#include "wall_clock_route.h"

#include "process_measures.h"

#include "input/window_input.h"

#include <GLFW/glfw3.h>

void WallClockRoute::beginPass()
{
    ++passIndex;
    if (passIndex == 0) {
        start = monotonicSeconds();
    }
}

double WallClockRoute::sampleClock()
{
    return glfwGetTime();
}

void WallClockRoute::pollEvents(std::vector<InputEvent>& events, float)
{
    const double routeTime = monotonicSeconds() - start;
    while (next < route.events.size() && route.events[next].time <= routeTime) {
        const RouteEvent& event = route.events[next++];
        events.push_back(InputEvent::keyEvent(event.key, event.action));
    }
}

CursorPosition WallClockRoute::readCursor()
{
    return windowCursor(glfwGetCurrentContext());
}
