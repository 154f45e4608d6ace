#include "game/frame_timer.h"

void FrameTimer::start(double now)
{
    last = static_cast<float>(now);
    delta = 0.0f;
    accumulator = 0.0f;
    lastSeen = last;
    measured = 0.0f;
}

float FrameTimer::sample(double now)
{
    const float previous = last;
    last = static_cast<float>(now);
    delta = last - previous;
    lastSeen = last;
    measured = delta;
    return delta;
}

void FrameTimer::hold(double now)
{
    const float previous = lastSeen;
    lastSeen = static_cast<float>(now);
    measured = lastSeen - previous;
}

bool FrameTimer::physicsDue()
{
    accumulator += delta;
    if (accumulator >= physicsTimeStep) {
        accumulator = 0.0f;
        return true;
    }
    return false;
}

void FrameTimer::restore(const State& state)
{
    last = state.last;
    delta = state.delta;
    accumulator = state.accumulator;
    lastSeen = last;
    measured = delta;
}
