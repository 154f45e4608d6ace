#include "runs/route_input.h"

RouteInput::RouteInput(const Route& route, double frameTime) : route(route), frameTime(frameTime) {}

double RouteInput::sampleClock()
{
    return static_cast<double>(current + 1) * frameTime;
}

void RouteInput::pollEvents(std::vector<InputEvent>& events, float /*frameTime*/)
{
    while (nextEvent < route.events.size() &&
           passForTime(route.events[nextEvent].time, frameTime) <= current) {
        const RouteEvent& event = route.events[nextEvent++];
        events.push_back(InputEvent::keyEvent(event.key, event.action));
    }
}
