#pragma once

#include "physics/physics_step.h"

// The frame loop's clock arithmetic: float time samples, the frame time, and the gate that
// allows at most one fixed physics step per pass.
class FrameTimer {
  public:
    // Before the first pass: takes the first sample; the frame time starts at 0.
    void start(double now);

    // Takes a new sample and returns the frame time it measured.
    float sample(double now);

    // A pass of a pause: the sample is measured for the frame statistics, but the timer's
    // state stands still, so a pass of a pause in which nothing happened leaves no trace and
    // a run may leave it out.
    void hold(double now);
    // In the pass that ends a pause: the pass after it measures its frame time from this
    // pass's sample, not from before the pause.
    void resume() { last = lastSeen; }

    // Adds the frame time to the accumulator; when a whole step has gathered the accumulator
    // is reset to 0 (not reduced), so time beyond one step is dropped and the caller steps once.
    bool physicsDue();

    float deltaTime() const { return delta; }
    // The time between the last two samples, paused or not: what the frame statistics show.
    float measuredFrameTime() const { return measured; }

    // All the timer carries from pass to pass, for a snapshot of an attempt's start.
    struct State {
        float last = 0.0f;
        float delta = 0.0f;
        float accumulator = 0.0f;
    };
    State state() const { return {last, delta, accumulator}; }
    void restore(const State& state);

  private:
    float last = 0.0f;
    float delta = 0.0f;
    float accumulator = 0.0f;
    // Shown and timing a pad, but never carried into an attempt.
    float lastSeen = 0.0f;
    float measured = 0.0f;
};
