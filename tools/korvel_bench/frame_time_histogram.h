#pragma once

#include <array>
#include <cstddef>

// Frame times counted into bins of a hundredth of a millisecond, so that a long session at
// hundreds of passes a second keeps its median and its longest frame in a fixed block of memory
// that neither grows nor allocates while the loop runs. The median is a bin's lower edge (to
// within 0.01 ms); the longest frame is kept exactly. Frames past the last bin count in it.
class FrameTimeHistogram {
  public:
    static constexpr double binMs = 0.01;
    static constexpr std::size_t bins = 50000; // up to 500 ms

    void add(double milliseconds);
    void reset();

    long count() const { return frames; }
    double longestMs() const { return longest; }
    // The lower median's bin; 0 when nothing was added.
    double medianMs() const;

  private:
    std::array<long, bins> counts{};
    long frames = 0;
    double longest = 0.0;
};
