#pragma once

#include "game/frame_timer.h"
#include "game/game_state.h"
#include "game/key_input.h"

#include <glm/vec3.hpp>

#include <iosfwd>
#include <optional>

class FrameObserver;
class OrbitCamera;
class PassInputs;
class PlayerCamera;

// What one pass's update did, for the callers that draw, play, print and keep files.
struct PassResult {
    bool playerMoved = false;
    glm::dvec3 foot{0.0};       // where the move put the foot; valid when playerMoved
    glm::dvec3 footAfter{0.0};  // where the foot stands once the pass is over, a restart too
    AttemptOutcome ended;       // outcome flags set in this pass and still set at its end
    std::optional<int> newBest; // a won score above the stored best: the caller saves it
    bool restarted = false;
    InputEffects effects; // what the pass's events ask of GL, the window and the loop
};

// The half of a frame pass that needs no window: obstacles, the clock, the physics gate, the
// events, the player's move, the outcome, the orbit camera and the restart, in the loop's
// order. The interactive game, the replays and the headless game all run this same code.
class GameSession {
  public:
    GameSession(int storedBest, PlayerCamera& playerCamera, OrbitCamera& orbitCamera);

    // Before the first pass: the first time sample.
    void start(double now);

    // The update half of a pass: it runs after the frame is drawn and before it is shown, so
    // what the player sees is always the state this update starts from. The clock is sampled
    // after the obstacles' update, the events are taken after the physics step, and the cursor
    // only while the orbit camera is active. Toggles print their lines on log.
    PassResult update(PassInputs& inputs, std::ostream& log);

    // A benchmark's observer of the phases of update(); nullptr (the default) is none.
    void setObserver(FrameObserver* frameObserver) { observer = frameObserver; }

    const Attempt& attempt() const { return current; }
    float deltaTime() const { return clock.deltaTime(); }

  private:
    int storedBest;
    PlayerCamera& playerCamera;
    OrbitCamera& orbitCamera;
    FrameTimer clock;
    Attempt current;
    FrameObserver* observer = nullptr;
};
