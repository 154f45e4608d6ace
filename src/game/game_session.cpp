#include "game/game_session.h"

#include "game/camera_follow.h"
#include "game/frame_phases.h"
#include "game/input_state.h"
#include "game/level_fingerprint.h"
#include "game/pass_input.h"
#include "game/snapshot_lines.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/state_hash.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"

GameSession::GameSession(int storedBest, PlayerCamera& playerCamera, OrbitCamera& orbitCamera)
    : storedBest(storedBest), playerCamera(playerCamera), orbitCamera(orbitCamera),
      current(storedBest)
{
}

void GameSession::start(double now)
{
    clock.start(now);
    current = Attempt(storedBest);
    levelPrint = levelFingerprint();
    beginAttempt();
}

std::string GameSession::startFrom(const AttemptSnapshot& snapshot)
{
    std::string why = restoreAttempt(snapshot, sources());
    if (why.empty()) {
        startSnapshot = snapshot;
    }
    return why;
}

std::string GameSession::restartFrom(const AttemptSnapshot& snapshot, const InputState* toggles)
{
    std::string why = restoreAttempt(snapshot, sources());
    if (!why.empty()) {
        return why;
    }
    current = Attempt(storedBest);
    outcome = AttemptOutcome{};
    frozenLast = false;
    if (toggles != nullptr) {
        keepToggles(input, *toggles);
        beginAttempt();
    } else {
        splitTracker = SplitTracker{};
        startSnapshot = snapshot;
    }
    return {};
}

void GameSession::beginAttempt()
{
    practice = false;
    splitTracker = SplitTracker{};
    captureAttempt(startSnapshot, sources());
    restoreAttempt(startSnapshot, sources());
}

std::uint64_t GameSession::stateChecksum()
{
    captureAttempt(scratch, sources());
    StateHash hash;
    hashSnapshot(hash, scratch);
    hash.add(current.playTime);
    hash.add(current.orbitAngle);
    hash.add(outcome.dead), hash.add(outcome.won), hash.add(outcome.timeUp);
    return hash.value();
}

PassResult GameSession::update(PassInputs& inputs, std::ostream& log)
{
    // A pause holds the whole pass from its start, so every pass either plays whole or stands
    // still whole: the pass in which P comes plays on to its end, and so does the one after
    // the resume.
    PassResult result;
    result.frozen = input.paused;
    frozenLast = result.frozen;
    if (result.frozen) {
        clock.hold(inputs.updateSample());
        markPhase(observer, FramePhase::Physics);
    } else {
        updateObstacles();
        advanceObstacleTimers(clock.sample(inputs.updateSample()));
        markPhase(observer, FramePhase::Obstacles);
        if (clock.physicsDue()) {
            stepPhysics();
        }
        markPhase(observer, FramePhase::Physics);
    }

    // A pad's held buttons are timed on the wall clock, so Back still quits in a pause.
    result.effects = applyInputEvents(inputs.events(clock.measuredFrameTime()), log);
    markPhase(observer, FramePhase::Events);
    if (!result.frozen) {
        playPass(inputs, result);
    }

    result.attempt = {outcome, current.playTime, outcome.won ? current.secondsLeft() : 0,
                      splitTracker.times()};
    result.restarted = restartIfRequested(current);
    if (result.restarted && input.paused) { // a fresh attempt starts in play
        input.paused = false;
        log << "Pause: 0" << std::endl;
    }
    if (result.frozen && !input.paused) {
        clock.resume();
    }
    // A restart in the same pass takes back the outcome it reached: the attempt goes on.
    if (result.restarted) {
        beginAttempt();
        result.ended = AttemptOutcome{};
    }
    result.footAfter = playerFoot();
    return result;
}

void GameSession::playPass(PassInputs& inputs, PassResult& result)
{
    const float dt = clock.deltaTime();
    if (advancePlayTime(current, dt)) {
        result.foot = movePlayer(dt);
        result.playerMoved = true;
        followPlayer(playerCamera, result.foot);
    }

    const OutcomeChange change = updateOutcome(current, dt, playerFoot(), playerCamera, storedBest);
    if (change.newBest && practice) {
        current.bestShown = storedBest;
    } else if (change.newBest) {
        storedBest = *change.newBest;
        result.newBest = change.newBest;
    }
    result.ended = change.reached;

    if (result.playerMoved) {
        result.splitTaken =
            splitTracker.passEnds(result.foot, current.playTime, change.reached.won);
    }

    if (!input.followCamera) {
        const CursorPosition cursor = inputs.cursor();
        orbitCamera.update(cursor.x, cursor.y, input.leftMouseDown, input.rightMouseDown,
                           input.orbitZoom);
    }
}
