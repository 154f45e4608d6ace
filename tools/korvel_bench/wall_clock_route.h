#pragma once

#include "game/pass_input.h"
#include "runs/route.h"

#include <cstddef>
#include <vector>

// A route's keys on the wall clock: each goes in at the first pass after its time has passed
// since the first pass began, so the game does the work a player's machine does, however long
// its frames take. The clock and the cursor are the window's own. It counts the passes it feeds,
// for whoever measures them.
class WallClockRoute final : public InputSource {
  public:
    explicit WallClockRoute(const Route& route) : route(route) {}

    void beginPass() override;
    double sampleClock() override;
    void pollEvents(std::vector<InputEvent>& events, float frameTime) override;
    CursorPosition readCursor() override;

    // The pass in play, from 0 (-1 before the first has begun).
    long pass() const { return passIndex; }
    // How many of the route's events have gone in so far.
    std::size_t delivered() const { return next; }

  private:
    const Route& route;
    double start = 0.0; // the first pass's beginning on the monotonic clock
    std::size_t next = 0;
    long passIndex = -1;
};
