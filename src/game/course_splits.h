#pragma once

#include "physics/level_layout.h"

#include <glm/vec3.hpp>

#include <array>
#include <cstddef>
#include <optional>

// An attempt's splits: one as the foot first stands in each checkpoint, and the last as the
// pizza is reached, which is the attempt's own time.
inline constexpr std::size_t splitCount = level::checkpoints.size() + 1;

// The play time of each split an attempt took; a checkpoint the player went round has none.
struct SplitTimes {
    std::array<std::optional<float>, splitCount> at{};

    bool operator==(const SplitTimes&) const = default;
};

// Follows an attempt along the checkpoints. Each is taken at most once and in order: standing in
// a later one leaves those before it untaken for good.
class SplitTracker {
  public:
    // After a pass in which the player moved: where the foot stands, the play time, and whether
    // the pass reached the pizza. Returns the number (from 1) of the last split taken in this
    // pass, or 0 for none.
    int passEnds(const glm::dvec3& foot, float playTime, bool won);

    const SplitTimes& times() const { return splits; }
    // The number of the last split taken, 0 before the first.
    int lastTaken() const { return last; }

  private:
    SplitTimes splits;
    std::size_t next = 0; // the first checkpoint still ahead
    int last = 0;
};

// The time of one stretch of the course, from the split before it (or the start) to this one;
// none unless both were taken.
std::optional<float> segmentTime(const SplitTimes& splits, std::size_t index);
