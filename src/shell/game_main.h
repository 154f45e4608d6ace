#pragma once

#include "game/frame_phases.h"

#include <functional>

struct GLFWwindow;
class InputSource;
struct AttemptSnapshot;
class SoundCapture;

// How an attempt stood when the loop ended.
struct RunSummary {
    bool dead = false;
    bool won = false;
    bool timeUp = false;
    int secondsLeft = 0;
    int best = 0;
    bool startRefused = false; // the run to start from did not fit this game
};

// What differs between the interactive game and a scripted run: where a pass's inputs come
// from, and what happens around each presented frame. Empty members take the interactive
// defaults (the window, its clock and a pad; nothing around the frame). Every run is recorded,
// whatever drives it.
struct RunOptions {
    // A script's clock, events and cursor; the window still hears its own events and a pad.
    InputSource* script = nullptr;
    std::function<void(GLFWwindow*)> beforeSwap;     // the finished frame is in the back buffer
    std::function<void(const RunSummary&)> onFinish; // after the loop, before shutdown
    FrameObserver* observer = nullptr;    // a benchmark's: told of each pass's phases and GL passes
    SoundCapture* soundCapture = nullptr; // a recording's: the mix goes to it, not the speakers
    // False for a pass that is played but not drawn: a replay catching up to what it shows.
    std::function<bool()> drawsPass;
    // A run's snapshot to start the first attempt from, in place of the program's start.
    const AttemptSnapshot* startFrom = nullptr;
};

// Start-up, the frame loop until the window is asked to close, and shutdown. Returns the
// process exit status: 0 after a normal shutdown, 1 after a start-up failure or a run that could
// not be started from.
int runGame(const RunOptions& options = {});
