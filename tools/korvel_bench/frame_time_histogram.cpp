#include "frame_time_histogram.h"

#include <algorithm>
#include <cmath>

void FrameTimeHistogram::add(double milliseconds)
{
    const double clamped = std::max(0.0, milliseconds);
    const auto bin = static_cast<std::size_t>(std::floor(clamped / binMs));
    ++counts[std::min(bin, bins - 1)];
    ++frames;
    longest = std::max(longest, clamped);
}

void FrameTimeHistogram::reset()
{
    counts.fill(0);
    frames = 0;
    longest = 0.0;
}

double FrameTimeHistogram::medianMs() const
{
    if (frames == 0) {
        return 0.0;
    }
    // The lower median: the frame at rank (frames + 1) / 2, counting from 1.
    const long rank = (frames + 1) / 2;
    long seen = 0;
    for (std::size_t bin = 0; bin < bins; ++bin) {
        seen += counts[bin];
        if (seen >= rank) {
            return static_cast<double>(bin) * binMs;
        }
    }
    return static_cast<double>(bins - 1) * binMs;
}
