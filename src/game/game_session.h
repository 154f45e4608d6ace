#pragma once

#include "game/frame_timer.h"
#include "game/game_state.h"

#include <glm/vec3.hpp>

#include <functional>

class BestScore;
class FrameObserver;
class OrbitCamera;
class PlayerCamera;

// The half of a frame pass that needs no window: obstacles, the clock, the physics gate, the
// player's move, the outcome, the orbit camera and the restart, in the loop's order. The
// interactive game, the replay driver and headless route tests all run this same code.
class GameSession {
  public:
    GameSession(BestScore& best, PlayerCamera& playerCamera, OrbitCamera& orbitCamera);

    // Before the first pass: the first time sample.
    void start(double now);

    // What the drawing half needs to know about this pass's update.
    struct PassResult {
        bool playerMoved = false;
        glm::dvec3 foot{0.0}; // valid when playerMoved
        bool restarted = false;
    };

    // The update half of a pass: it runs after the frame is drawn and before it is shown, so
    // what the player sees is always the state this update starts from. clock is sampled once,
    // after the obstacles' update; pollEvents runs the input callbacks; cursor gives the
    // window's cursor position, read only while the orbit camera is active.
    PassResult update(const std::function<double()>& clock, const std::function<void()>& pollEvents,
                      const std::function<void(int&, int&)>& cursor);

    // A benchmark's observer of the phases of update(); nullptr (the default) is none.
    void setObserver(FrameObserver* frameObserver) { observer = frameObserver; }

    const Attempt& attempt() const { return current; }
    float deltaTime() const { return clock.deltaTime(); }

  private:
    BestScore& best;
    PlayerCamera& playerCamera;
    OrbitCamera& orbitCamera;
    FrameTimer clock;
    Attempt current;
    FrameObserver* observer = nullptr;
};
