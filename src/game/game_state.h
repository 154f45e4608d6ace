#pragma once

#include <glm/vec3.hpp>

class BestScore;
class PlayerCamera;

// How the current attempt ended, if it did. Program-wide: the HUD and the post-processing pass
// read them. More than one can be set in the same frame; each stays set until the restart,
// which makes the outcome anew.
struct AttemptOutcome {
    bool dead = false;   // touched something deadly
    bool won = false;    // touched the pizza
    bool timeUp = false; // the 120 seconds ran out
};

// The program's one outcome.
extern AttemptOutcome outcome;

// What the frame loop keeps of the current attempt.
struct Attempt {
    explicit Attempt(int storedBest = 0) : bestShown(storedBest) {}

    float playTime = 0.0f;     // seconds, grows only while playing
    float orbitAngle = 180.0f; // degrees, the victory camera's place around the player
    int bestShown = 0;         // the best score the win screen shows

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

// 2. Every frame: turns the player's contact flags into the outcome (and resets them); while
//    won, circles the camera around the foot and records a better score in the best-score
//    record and on the win screen.
void updateOutcome(Attempt& attempt, float dt, const glm::dvec3& foot, PlayerCamera& camera,
                   BestScore& best);

// 3. If F11 asked for it: clears the attempt and puts the player back at the start. Returns
//    true when it restarted, and the caller then resets the player model's matrix. Speeds,
//    held keys, knives, hazard, timers and the best score are left as they are.
bool restartIfRequested(Attempt& attempt);
