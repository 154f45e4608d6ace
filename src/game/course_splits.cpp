#include "game/course_splits.h"

namespace {

bool contains(const level::Region& region, const glm::dvec3& point)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (point[axis] < static_cast<double>(region.low[axis]) ||
            point[axis] > static_cast<double>(region.high[axis])) {
            return false;
        }
    }
    return true;
}

} // namespace

int SplitTracker::passEnds(const glm::dvec3& foot, float playTime, bool won)
{
    int taken = 0;
    for (std::size_t index = next; index < level::checkpoints.size(); ++index) {
        if (contains(level::checkpoints[index], foot)) {
            splits.at[index] = playTime;
            next = index + 1;
            taken = static_cast<int>(index) + 1;
        }
    }
    if (won && !splits.at[splitCount - 1]) {
        next = splitCount;
        splits.at[splitCount - 1] = playTime;
        taken = static_cast<int>(splitCount);
    }
    if (taken != 0) {
        last = taken;
    }
    return taken;
}

std::optional<float> segmentTime(const SplitTimes& splits, std::size_t index)
{
    const std::optional<float> end = splits.at.at(index);
    const std::optional<float> begin =
        index == 0 ? std::optional<float>(0.0f) : splits.at[index - 1];
    if (!end || !begin) {
        return std::nullopt;
    }
    return *end - *begin;
}
