#pragma once

#include "game/pass_input.h"
#include "runs/run_recording.h"

#include <glm/vec3.hpp>

#include <iosfwd>
#include <string>

// A recording played again as a pass's inputs: the clock gives back the recorded samples in
// the order the loop takes them, each pass gets its recorded events and cursor, and after each
// update the player's foot can be compared with the recorded one.
class RecordingReplay final : public InputSource {
  public:
    explicit RecordingReplay(RunRecording run) : run(std::move(run)) {}

    void beginPass() override;
    double sampleClock() override;
    void pollEvents(std::vector<InputEvent>& events, float frameTime) override;
    CursorPosition readCursor() override;

    // Back before the first pass, to play the recording again from its start.
    void rewind()
    {
        current = -1;
        samplesInPass = 0;
    }
    const RunRecording& recording() const { return run; }

    long pass() const { return current; }
    long lastPass() const { return static_cast<long>(run.passes.size()) - 1; }
    // Watching starts at the kept attempt: the passes before it are played without drawing.
    bool drawn() const { return current >= run.attemptStart; }
    // The first pass of the kept attempt whose update sample is at least this many seconds
    // after the attempt's start; the last pass when none is.
    long passAt(double seconds) const;

    // After the update of the current pass, with where the foot then stood.
    void checkFoot(const glm::dvec3& foot);
    // The first pass whose foot differed from the recorded one; -1 while none did.
    long firstDifference() const { return differs; }

  private:
    const RecordedPass* currentPass() const;

    RunRecording run;
    long current = -1;
    int samplesInPass = 0;
    long differs = -1;
};

// A foot as the tools print it, "X Y Z", exact in decimal.
std::string footText(const glm::dvec3& foot);

// "foot: X Y Z", a line.
void printFoot(std::ostream& out, const glm::dvec3& foot);
