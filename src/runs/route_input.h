#pragma once

#include "game/pass_input.h"
#include "runs/route.h"

// The frame time of a scripted run unless it is told otherwise: the physics' own step, so
// every pass of a route steps the world once.
inline constexpr double scriptedFrameTime = 1.0 / 60.0;

// A route played as a pass's inputs on a virtual clock: pass p samples (p + 1) frame times, so
// every pass lasts exactly one frame time, and each event comes in the pass nearest its time.
// The cursor stands still at the window's corner.
class RouteInput final : public InputSource {
  public:
    RouteInput(const Route& route, double frameTime);

    void beginPass() override { ++current; }
    double sampleClock() override;
    void pollEvents(std::vector<InputEvent>& events, float frameTime) override;
    CursorPosition readCursor() override { return {}; }

    long pass() const { return current; }

  private:
    const Route& route;
    const double frameTime;
    long current = -1;
    std::size_t nextEvent = 0;
};
