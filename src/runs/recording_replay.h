#pragma once

#include "shell/game_main.h"
#include "runs/run_recording.h"

#include <iosfwd>

// Plays a recording on the game's own loop: the clock gives back the recorded samples in the
// order the loop takes them, each pass gets its recorded events and cursor, and after each
// update the player's foot is compared with the recorded one.
class RecordingReplay {
  public:
    explicit RecordingReplay(RunRecording run) : run(std::move(run)) {}

    // Sets the options' clock, beginPass, pollEvents and cursor.
    void drive(RunOptions& options);

    long pass() const { return current; }
    long lastPass() const { return static_cast<long>(run.passes.size()) - 1; }
    // Watching starts at the kept attempt: the passes before it are played without drawing.
    bool drawn() const { return current >= run.attemptStart; }
    // The first pass of the kept attempt whose update sample is at least this many seconds
    // after the attempt's start; the last pass when none is.
    long passAt(double seconds) const;

    // After the update of the current pass.
    void checkFoot();
    // The first pass whose foot differed from the recorded one; -1 while none did.
    long firstDifference() const { return differs; }

  private:
    double sample();
    void deliverEvents(GLFWwindow* window) const;

    RunRecording run;
    long current = -1;
    int samplesInPass = 0;
    long differs = -1;
};

// The player's foot, "foot: X Y Z", exact in decimal.
void printPlayerFoot(std::ostream& out);
