#pragma once

#include "game/attempt_snapshot.h"
#include "game/course_splits.h"
#include "game/frame_timer.h"
#include "game/game_state.h"
#include "game/key_input.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

class FrameObserver;
class OrbitCamera;
class PassInputs;
class PlayerCamera;
struct InputState;

// How the attempt in play stood once a pass had played, before any restart in it: what a run
// of the attempt says in its header.
struct AttemptEnd {
    AttemptOutcome outcome;
    float playTime = 0.0f;
    int score = 0; // the seconds left once won, 0 otherwise
    SplitTimes splits{};
};

// What one pass's update did, for the callers that draw, play, print and keep files.
struct PassResult {
    bool playerMoved = false;
    glm::dvec3 foot{0.0};       // where the move put the foot; valid when playerMoved
    glm::dvec3 footAfter{0.0};  // where the foot stands once the pass is over, a restart too
    AttemptOutcome ended;       // outcome flags set in this pass and still set at its end
    std::optional<int> newBest; // a won score above the stored best: the caller saves it
    int splitTaken = 0;         // the number (from 1) of a split taken in this pass, or 0
    bool restarted = false;     // and a new attempt started from a snapshot (attemptStart())
    bool frozen = false;        // a pass of a pause: only its events and a restart acted
    AttemptEnd attempt;
    InputEffects effects; // what the pass's events ask of GL, the window and the loop
};

// The half of a frame pass that needs no window: obstacles, the clock, the physics gate, the
// events, the player's move, the outcome, the orbit camera and the restart, in the loop's
// order. The interactive game, the replays and the headless game all run this same code.
class GameSession {
  public:
    GameSession(int storedBest, PlayerCamera& playerCamera, OrbitCamera& orbitCamera);

    // Before the first pass, in a freshly started world: the first time sample. The level's
    // fingerprint is taken, and the first attempt starts from a snapshot.
    void start(double now);

    // Plays on from a snapshot a run kept, right after start(): the attempt starts from it.
    // Returns why it cannot (then nothing changed), or an empty text.
    std::string startFrom(const AttemptSnapshot& snapshot);

    // A new attempt from a kept snapshot instead of the world as it stands: a watched run's
    // start, and the attempt the replay viewer gives back. Returns why it cannot (then nothing
    // changed), or an empty text. With toggles, the attempt starts with those in place of the
    // snapshot's (keepToggles).
    std::string restartFrom(const AttemptSnapshot& snapshot, const InputState* toggles = nullptr);

    // A practice attempt, a watched run or one taken over from it, sets no best score. The next
    // attempt to begin is played for real again.
    void setPractice(bool on) { practice = on; }
    bool isPractice() const { return practice; }

    // The update half of a pass: it runs after the frame is drawn and before it is shown, so
    // what the player sees is always the state this update starts from. The clock is sampled
    // after the obstacles' update, the events are taken after the physics step, and the cursor
    // only while the orbit camera is active. Toggles print their lines on log.
    PassResult update(PassInputs& inputs, std::ostream& log);

    // A benchmark's observer of the phases of update(); nullptr (the default) is none.
    void setObserver(FrameObserver* frameObserver) { observer = frameObserver; }

    const Attempt& attempt() const { return current; }
    // The attempt's splits so far.
    const SplitTracker& splits() const { return splitTracker; }
    // What the attempt in play started from.
    const AttemptSnapshot& attemptStart() const { return startSnapshot; }
    std::uint64_t level() const { return levelPrint; }
    // The state now, every value of a snapshot and of the attempt, as one checksum.
    std::uint64_t stateChecksum();
    // The world's frame time of the last pass: 0 in a pause.
    float deltaTime() const { return frozenLast ? 0.0f : clock.deltaTime(); }
    // Whether the last pass was one of a pause, in which nothing moved.
    bool lastPassFrozen() const { return frozenLast; }
    // The wall clock's time between the last pass's samples, paused or not.
    float measuredFrameTime() const { return clock.measuredFrameTime(); }

  private:
    // Takes the snapshot the attempt starts from and restores it at once, so the live game goes
    // on from the very state a replay of the attempt starts in.
    void beginAttempt();
    // The part of a pass a pause holds after the events: the play time, the player's move,
    // the outcome, the splits and the orbit camera.
    void playPass(PassInputs& inputs, PassResult& result);
    SnapshotSources sources() { return {clock, playerCamera, orbitCamera}; }

    int storedBest;
    PlayerCamera& playerCamera;
    OrbitCamera& orbitCamera;
    FrameTimer clock;
    Attempt current;
    SplitTracker splitTracker;
    FrameObserver* observer = nullptr;
    AttemptSnapshot startSnapshot;
    AttemptSnapshot scratch; // the checksum's capture, kept for its room
    std::uint64_t levelPrint = 0;
    bool frozenLast = false;
    bool practice = false;
};
