#pragma once

#include "runs/run_recording.h"

#include <cstddef>

struct PassInput;

// The most passes and events one run keeps: two minutes at 8,700 passes a second, far above any
// screen's rate. Whatever the session's length, a run never holds more.
inline constexpr std::size_t maxRunPasses = std::size_t{1} << 20;
inline constexpr std::size_t maxRunEvents = std::size_t{1} << 18;

// Room for the longest run, reserved once: a recording given it never allocates for a pass.
void reserveRunRoom(RunRecording& recording);

// The recording of one attempt's run, made as the frame loop plays it: the snapshot it started
// from, each pass's inputs as the pass took them and the foot they led to, then the header.
class RunRecorder {
  public:
    // A new run into this recording, emptied with its room kept.
    void start(RunRecording& into, const AttemptSnapshot& snapshot, std::uint64_t level);

    // After a pass's update: what it took in and where the foot stood at its end. False, and
    // the pass is not kept, once the run is full.
    bool record(const PassInput& pass, const glm::dvec3& foot);

    // The first count passes of a watched run, with their events and feet, as this run's own:
    // the part of a practice run played before it was taken over. Stops where the run is full.
    void recordPassesOf(const RunRecording& watched, std::size_t count);

    // Seals the run: how the attempt ended and the checksum of the state after its last pass.
    void finish(const AttemptEnd& end, std::uint64_t checksum);

    RunRecording* run() const { return recording; }

  private:
    RunRecording* recording = nullptr;
};
