#pragma once

#include <array>
#include <chrono>
#include <cstddef>

// Where the CPU time of one frame pass goes. The loop marks the end of each stretch of work
// with the phase it belonged to; a stretch is the time since the previous mark. Only a
// benchmark hands the loop an observer (FrameObserver below).
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
    Audio,      // the sounds' listener, switch and outcome cues
    Swap,
    Count
};

inline constexpr std::size_t framePhaseCount = static_cast<std::size_t>(FramePhase::Count);

// Short names for reports, in FramePhase order.
inline constexpr std::array<const char*, framePhaseCount> framePhaseNames = {
    "scene_draw", "culling", "particles", "procedural",  "post_process", "hud",
    "obstacles",  "physics", "events",    "player_move", "audio",        "swap"};

// The GL passes of a frame, in drawing order, for timing them on the GPU: the loop announces
// where each begins, and Done after the last.
enum class DrawPass : std::size_t { Scene, Particles, Water, PostProcess, Hud, Done };

inline constexpr std::size_t drawPassCount = static_cast<std::size_t>(DrawPass::Done);

inline constexpr std::array<const char*, drawPassCount> drawPassNames = {
    "scene", "particles", "water", "post_process", "hud"};

// What a benchmark watches of the frame loop. The loop calls it only when one is given: without
// one each call costs a null test.
class FrameObserver {
  public:
    virtual ~FrameObserver() = default;

    // A frame pass begins: the next phase's time counts from here.
    virtual void passBegins() {}

    // The CPU time since the previous mark (or the pass's beginning) belonged to phase.
    virtual void phaseEnds(FramePhase) {}

    // The GL work from here on belongs to pass (Done after the last).
    virtual void drawPassStarts(DrawPass) {}
};

// Tells observer that phase ended, when there is one.
inline void markPhase(FrameObserver* observer, FramePhase phase)
{
    if (observer != nullptr) {
        observer->phaseEnds(phase);
    }
}

// Tells observer that the GL work of pass starts, when there is one.
inline void markDrawPass(FrameObserver* observer, DrawPass pass)
{
    if (observer != nullptr) {
        observer->drawPassStarts(pass);
    }
}

// A recorder of the CPU time per phase, for an observer to keep.
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
