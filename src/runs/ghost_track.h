#pragma once

#include "runs/run_recording.h"

#include <glm/vec3.hpp>

#include <optional>
#include <vector>

// Where the best run's player stood at each moment of its attempt's play time, taken from the
// foot positions in its recording, so the ghost needs no second simulation.
class GhostTrack {
  public:
    GhostTrack() = default; // no best run: no ghost
    // The kept attempt's passes, from its first to the recording's last.
    explicit GhostTrack(const RunRecording& recording);

    // Where the run stood when its play time first reached playTime; none once its time is past.
    std::optional<glm::dvec3> footAt(float playTime) const;

    bool empty() const { return steps.empty(); }

  private:
    struct Step {
        float playTime = 0.0f; // the attempt's play time after the pass
        glm::dvec3 foot{0.0};  // the foot after the pass
    };
    std::vector<Step> steps; // by play time, which never falls
};

// The track of the run kept in the file. No file is no ghost; a damaged one is named with its
// line on the error stream and shows none either.
GhostTrack ghostOfBestRun(const std::filesystem::path& file);
