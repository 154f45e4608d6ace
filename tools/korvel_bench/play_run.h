#pragma once

#include "command_line.h"
#include "gpu_pass_timer.h"
#include "wall_clock_route.h"

#include "game/frame_phases.h"
#include "runs/route.h"
#include "shell/game_main.h"

#include <array>
#include <optional>
#include <vector>

// The play measurement: the game's own start-up and frame loop on the real clock, with a
// route's keys delivered on the wall clock. After warmUp passes it measures frames passes (the
// time of each, the CPU time of its phases and of all threads, the GPU time of its GL passes,
// the allocations made), then closes the window.
class PlayRun final : public FrameObserver {
  public:
    PlayRun(const Route& route, long frames, long warmUp);

    // Plays until the measured frames are done; returns the game's exit status.
    int play();
    // Writes the figures of a finished play.
    void report() const;

  private:
    void passBegins() override;
    void phaseEnds(FramePhase phase) override { phases.mark(phase); }
    void drawPassStarts(DrawPass pass) override;

    void startMeasuring();
    void stopMeasuring();
    void finish(const RunSummary& finished);
    void reportPhases() const;
    void reportGpuPasses() const;

    const long frames;
    const long warmUp;
    WallClockRoute route; // counts the passes
    FramePhases phases;
    double passStart = 0.0;
    bool measuring = false; // the pass in play is one of the measured frames
    std::vector<double> frameSeconds;
    std::vector<std::array<double, framePhaseCount>> phaseSeconds;
    long allocationsAtStart = 0;
    long allocationsAtEnd = 0;
    double cpuAtStart = 0.0;
    double cpuAtEnd = 0.0;
    // The timer's queries need the game's context, so it is made at the first pass and
    // released when the loop has ended, before the context goes.
    std::optional<GpuPassTimer> gpu;
    std::array<std::vector<double>, drawPassCount> gpuMilliseconds;
    RunSummary summary;
};

// The play measurement's child. Returns the exit status.
int runPlay(const BenchOptions& options);
