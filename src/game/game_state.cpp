#include "game/game_state.h"

#include "game/camera_follow.h"
#include "game/input_state.h"
#include "physics/player.h"

AttemptOutcome outcome;

namespace {

// The contact flags of the last move become outcome flags; the contact flags are re-armed.
// Time is up once no whole second is left: a frame that jumps past the end (a stall of more
// than two seconds) ends the attempt as well as one that lands inside the last second.
// Returns the flags it set that were not set before.
AttemptOutcome checkOutcome(const Attempt& attempt)
{
    const AttemptOutcome before = outcome;
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
    return {outcome.dead && !before.dead, outcome.won && !before.won,
            outcome.timeUp && !before.timeUp};
}

// Every frame while won. The score cannot change once won, so only the first frame of a win
// can beat the stored best.
std::optional<int> celebrateWin(Attempt& attempt, float dt, const glm::dvec3& foot,
                                PlayerCamera& camera, int storedBest)
{
    attempt.orbitAngle = advanceOrbitAngle(attempt.orbitAngle, dt);
    const int score = attempt.secondsLeft();
    std::optional<int> newBest;
    if (score > storedBest) {
        newBest = score;
        attempt.bestShown = score;
    }
    circlePlayer(camera, foot, attempt.orbitAngle);
    return newBest;
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

OutcomeChange updateOutcome(Attempt& attempt, float dt, const glm::dvec3& foot,
                            PlayerCamera& camera, int storedBest)
{
    OutcomeChange change;
    change.reached = checkOutcome(attempt);
    if (outcome.won) {
        change.newBest = celebrateWin(attempt, dt, foot, camera, storedBest);
    }
    return change;
}

bool restartIfRequested(Attempt& attempt)
{
    if (!input.restartRequested) {
        return false;
    }
    attempt.orbitAngle = victoryCameraStartAngle;
    input.restartRequested = false;
    outcome = AttemptOutcome{};
    attempt.playTime = 0.0f;
    restartPlayer();
    return true;
}
