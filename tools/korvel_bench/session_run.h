#pragma once

#include "frame_time_histogram.h"
#include "session_report.h"
#include "wall_clock_route.h"

#include "game/frame_phases.h"
#include "runs/route.h"

#include <filesystem>
#include <memory>
#include <vector>

// The long session's child: the game's own start-up and frame loop on the real clock, played
// from the working folder (its settings give the window's size, its score folder the runs),
// with the session's route of deaths and restarts on the wall clock. At the end of each minute
// it notes the resident memory, last.run's size and the minute's passes, frame times and
// main-thread allocations. After the last minute it closes the window at the next death, so
// the last run kept is a whole attempt.
class SessionRun final : public FrameObserver {
  public:
    SessionRun(long minutes, std::filesystem::path lastRun);

    // Plays until the last minute is done; returns the game's exit status.
    int play();
    // Writes the figures of a finished session.
    void report() const;

  private:
    void passBegins() override;

    void watchOutcome(double now);
    void endMinute(double now);
    bool pastLastMinute() const;

    const long minutes;
    const std::filesystem::path lastRun;
    const Route route;
    WallClockRoute input;
    std::unique_ptr<FrameTimeHistogram> frameTimes; // large: kept off the stack
    std::vector<SessionMinute> rows;
    double sessionStart = 0.0;
    double minuteStart = 0.0;
    double passStart = 0.0;
    long minuteAllocations = 0; // the main thread's count when the minute began
    bool dead = false;          // the outcome as the previous pass left it
    long deaths = 0;
    double attemptStart = 0.0;
    std::vector<double> deathSeconds; // from each attempt's start, room for every cycle kept
    double finalRunBytes = 0.0;
};

// The session's child for that many minutes, in the folder it plays in. Returns the exit
// status.
int runSession(long minutes);
