#pragma once

#include "game/input_event.h"

#include <vector>

// What one pass of the frame loop takes in, kept as data: its two clock samples, its events in
// arrival order, and the cursor when the orbit camera read it. The same pass played again with
// the same inputs is the same pass, which is what a recording keeps.
struct PassInput {
    double drawSample = 0.0;   // the clock as the water's waves read it
    double updateSample = 0.0; // the frame timer's sample
    std::vector<InputEvent> events;
    bool cursorRead = false;
    int cursorX = 0;
    int cursorY = 0;
};

struct CursorPosition {
    int x = 0;
    int y = 0;
};

// Where a pass's inputs come from: the window with a pad, a route, a recording, a benchmark's
// script. The loop asks at the moments the pass needs each input, so a real clock and real
// events are read exactly when a pass has always read them.
class InputSource {
  public:
    virtual ~InputSource() = default;

    // A pass begins; a script moves on to its next pass.
    virtual void beginPass() {}

    // The clock in seconds: once before the first pass, then as each pass draws the water and
    // as its frame timer takes its sample.
    virtual double sampleClock() = 0;

    // At the pass's event step: appends the events heard since the last pass, in arrival order.
    // frameTime is this pass's, which times a pad's held buttons.
    virtual void pollEvents(std::vector<InputEvent>& events, float frameTime) = 0;

    // The cursor in whole window pixels; asked only while the orbit camera is active.
    virtual CursorPosition readCursor() = 0;
};

// The inputs of the pass in play, taken from a source at the moments the pass needs them and
// kept for whoever records the pass. The event list keeps its room from pass to pass, so a
// pass allocates nothing for it.
class PassInputs {
  public:
    explicit PassInputs(InputSource& source);

    // Before the first pass.
    double startSample() { return source.sampleClock(); }

    // A new pass: nothing taken yet.
    void begin();

    double drawSample();
    double updateSample();
    const std::vector<InputEvent>& events(float frameTime);
    CursorPosition cursor();

    // What this pass has taken so far.
    const PassInput& taken() const { return pass; }

  private:
    InputSource& source;
    PassInput pass;
};
