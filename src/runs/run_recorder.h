#pragma once

#include "runs/run_recording.h"

struct PassInput;

// The recording of a run, made as the frame loop plays it: each pass's inputs as the pass took
// them, and the foot they led to.
class RunRecorder {
  public:
    // Starts a recording with the clock's first sample, with room for a long run reserved, so a
    // pass appends without allocating.
    void start(double sample);

    // After a pass's update: what it took in and where the foot stood at its end.
    void record(const PassInput& pass, const glm::dvec3& foot);

    // After a restart: the next pass starts the attempt the recording is kept for.
    void restart();

    const RunRecording& run() const { return recording; }

  private:
    RunRecording recording;
};
