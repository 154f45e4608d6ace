#pragma once

#include "game/attempt_outcome.h"

#include <glm/vec3.hpp>

#include <optional>

class PlayerCamera;

// How long an attempt lasts, in seconds.
inline constexpr double attemptSeconds = 120.0;

// The program's one outcome.
extern AttemptOutcome outcome;

// Where the victory camera starts circling, in degrees: behind the player, towards -X.
inline constexpr float victoryCameraStartAngle = 180.0f;

// What the frame loop keeps of the current attempt.
struct Attempt {
    explicit Attempt(int storedBest = 0) : bestShown(storedBest) {}

    float playTime = 0.0f;                      // seconds, grows only while playing
    float orbitAngle = victoryCameraStartAngle; // degrees, the victory camera's place
    int bestShown = 0;                          // the best score the win screen shows

    // Whole seconds left of the 120, never below 0: the timer and, after a win, the score.
    int secondsLeft() const;
};

// Whole seconds left after this much play, truncated, never below 0.
int secondsLeftAfter(float playTime);

// No outcome yet.
bool attemptPlaying();

// Frame loop, in this order after the events are polled:

// 1. While playing, adds the frame time to the play time and returns true: the player then
//    makes its move and followPlayer (camera_follow.h) puts the camera behind it.
bool advancePlayTime(Attempt& attempt, float dt);

// What a pass's outcome checks found.
struct OutcomeChange {
    AttemptOutcome reached;     // the flags this pass set
    std::optional<int> newBest; // a won score above the stored best, which the caller keeps
};

// 2. Every frame: turns the player's contact flags into the outcome (and resets them); while
//    won, circles the camera around the foot, and a score above storedBest becomes the best
//    the win screen shows. Writing it to the best-score file is the caller's.
OutcomeChange updateOutcome(Attempt& attempt, float dt, const glm::dvec3& foot,
                            PlayerCamera& camera, int storedBest);

// 3. If F11 asked for it: clears the attempt and puts the player back at the start. Returns
//    true when it restarted, and the caller then resets the player model's matrix. Speeds,
//    held keys, knives, hazard, timers and the best score are left as they are.
bool restartIfRequested(Attempt& attempt);
