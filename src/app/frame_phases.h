#pragma once

#include <array>
#include <chrono>
#include <cstddef>

// Where the CPU time of one frame pass goes. The loop marks the end of each stretch of work
// with the phase it belonged to; a stretch is the time since the previous mark. Only a
// benchmark hands the loop a recorder: without one the loop pays a null test per mark.
enum class FramePhase : std::size_t {
    SceneDraw,  // render target, per-frame uniforms, model draw submission
    Culling,    // frustum tests of the drawables list
    Particles,  // compute update, counter read-back, instanced draw
    Procedural, // the water surface
    PostProcess,
    Hud,
    Obstacles,  // knives and hazard, their timers, the time sample
    Physics,    // the fixed step, when the gate lets one through
    Events,     // event polling with the input callbacks
    PlayerMove, // player move, camera follow, outcome, orbit camera, restart
    Swap,
    Count
};

inline constexpr std::size_t framePhaseCount = static_cast<std::size_t>(FramePhase::Count);

class FramePhases {
  public:
    using Clock = std::chrono::steady_clock;

    // Starts a pass: the next mark measures from here.
    void begin() { last = Clock::now(); }

    // The time since the previous mark (or begin) belonged to phase.
    void mark(FramePhase phase)
    {
        const Clock::time_point now = Clock::now();
        seconds[static_cast<std::size_t>(phase)] +=
            std::chrono::duration<double>(now - last).count();
        last = now;
    }

    // Seconds spent per phase since the last reset.
    const std::array<double, framePhaseCount>& totals() const { return seconds; }
    void reset() { seconds.fill(0.0); }

  private:
    Clock::time_point last{};
    std::array<double, framePhaseCount> seconds{};
};

// Marks phase on recorder when there is one.
inline void markPhase(FramePhases* recorder, FramePhase phase)
{
    if (recorder != nullptr) {
        recorder->mark(phase);
    }
}

// Short names for reports, in FramePhase order.
inline constexpr std::array<const char*, framePhaseCount> framePhaseNames = {
    "scene_draw", "culling", "particles", "procedural",  "post_process", "hud",
    "obstacles",  "physics", "events",    "player_move", "swap"};

// The GL passes of a frame, in drawing order, for timing them on the GPU: the loop announces
// where each begins, and Done after the last.
enum class DrawPass : std::size_t { Scene, Particles, Water, PostProcess, Hud, Done };

inline constexpr std::size_t drawPassCount = static_cast<std::size_t>(DrawPass::Done);

inline constexpr std::array<const char*, drawPassCount> drawPassNames = {
    "scene", "particles", "water", "post_process", "hud"};
