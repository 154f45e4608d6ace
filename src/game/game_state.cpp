#include "game/game_state.h"

#include "game/best_score.h"
#include "game/camera_follow.h"
#include "game/input_state.h"
#include "physics/player.h"

AttemptOutcome outcome;

namespace {

constexpr double attemptSeconds = 120.0;

// The contact flags of the last move become outcome flags; the contact flags are re-armed.
// Time is up once no whole second is left: a frame that jumps past the end (a stall of more
// than two seconds) ends the attempt as well as one that lands inside the last second.
void checkOutcome(const Attempt& attempt)
{
    if (!playerMotion.playerAlive) {
        outcome.dead = true;
    }
    playerMotion.playerAlive = true;
    if (playerMotion.pizzaReached) {
        outcome.won = true;
    }
    playerMotion.pizzaReached = false;
    if (attempt.secondsLeft() == 0) {
        outcome.timeUp = true;
    }
}

// Every frame while won. The score cannot change once won, so only the first frame of a win
// can beat the stored best and write the file.
void celebrateWin(Attempt& attempt, float dt, const glm::dvec3& foot, PlayerCamera& camera,
                  BestScore& best)
{
    attempt.orbitAngle = advanceOrbitAngle(attempt.orbitAngle, dt);
    const int score = attempt.secondsLeft();
    if (score > best.value) {
        best.save(score);
        attempt.bestShown = best.value;
    }
    circlePlayer(camera, foot, attempt.orbitAngle);
}

} // namespace

int secondsLeftAfter(float playTime)
{
    const double remaining = attemptSeconds - static_cast<double>(playTime);
    if (!(remaining > 0.0)) {
        return 0;
    }
    return static_cast<int>(remaining);
}

int Attempt::secondsLeft() const
{
    return secondsLeftAfter(playTime);
}

bool attemptPlaying()
{
    return !outcome.dead && !outcome.won && !outcome.timeUp;
}

bool advancePlayTime(Attempt& attempt, float dt)
{
    if (!attemptPlaying()) {
        return false;
    }
    attempt.playTime += dt;
    return true;
}

void updateOutcome(Attempt& attempt, float dt, const glm::dvec3& foot, PlayerCamera& camera,
                   BestScore& best)
{
    checkOutcome(attempt);
    if (outcome.won) {
        celebrateWin(attempt, dt, foot, camera, best);
    }
}

bool restartIfRequested(Attempt& attempt)
{
    if (!input.restartRequested) {
        return false;
    }
    attempt.orbitAngle = 180.0f;
    input.restartRequested = false;
    outcome = AttemptOutcome{};
    attempt.playTime = 0.0f;
    restartPlayer();
    return true;
}
