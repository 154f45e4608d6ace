#pragma once

#include "game/frame_phases.h"

#include <GL/glew.h>

#include <array>
#include <vector>

// GPU time of each GL pass of a frame, from GL_TIME_ELAPSED queries that run one after another
// as the loop announces its passes. Results are read back a few frames later, when the driver
// has them, so timing never stalls the frame it measures. On llvmpipe, where pixels are shaded
// only when a scene is flushed, a pass's time is the wall time the rasteriser spends between
// the pass's start and end, so the passes add up to about the frame time.
class GpuPassTimer {
  public:
    // Room for this many frames is taken now, so that measuring allocates nothing in the loop.
    explicit GpuPassTimer(std::size_t expectedFrames);
    ~GpuPassTimer();
    GpuPassTimer(const GpuPassTimer&) = delete;
    GpuPassTimer& operator=(const GpuPassTimer&) = delete;

    // The loop's announcement: the GL work from here on belongs to pass.
    void passStarts(DrawPass pass);

    // Frames drawn while recording are measured.
    void record(bool on) { recording = on; }
    // Reads the results of every measured frame still outstanding.
    void collectAll();

    // Milliseconds per pass, one entry per measured frame (frames whose results arrived).
    const std::array<std::vector<double>, drawPassCount>& milliseconds() const { return times; }

  private:
    static constexpr std::size_t frameSlots = 4;

    void collect(std::size_t slot);

    std::array<std::array<GLuint, drawPassCount>, frameSlots> queries{};
    std::array<bool, frameSlots> pending{};
    std::array<std::vector<double>, drawPassCount> times;
    std::size_t slot = 0;
    bool running = false;
    bool recording = false;
};
