#include "game/game_session.h"

#include "game/camera_follow.h"
#include "game/frame_phases.h"
#include "game/input_state.h"
#include "game/pass_input.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"
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
}

PassResult GameSession::update(PassInputs& inputs, std::ostream& log)
{
    PassResult result;
    updateObstacles();

    const float dt = clock.sample(inputs.updateSample());
    advanceObstacleTimers(dt);
    markPhase(observer, FramePhase::Obstacles);
    if (clock.physicsDue()) {
        stepPhysics();
    }
    markPhase(observer, FramePhase::Physics);

    result.effects = applyInputEvents(inputs.events(dt), log);
    markPhase(observer, FramePhase::Events);

    if (advancePlayTime(current, dt)) {
        result.foot = movePlayer(dt);
        result.playerMoved = true;
        followPlayer(playerCamera, result.foot);
    }

    const OutcomeChange change = updateOutcome(current, dt, playerFoot(), playerCamera, storedBest);
    if (change.newBest) {
        storedBest = *change.newBest;
        result.newBest = change.newBest;
    }

    if (!input.followCamera) {
        const CursorPosition cursor = inputs.cursor();
        orbitCamera.update(cursor.x, cursor.y, input.leftMouseDown, input.rightMouseDown,
                           input.orbitZoom);
    }

    result.restarted = restartIfRequested(current);
    // A restart in the same pass takes back the outcome it reached: the attempt goes on.
    result.ended = result.restarted ? AttemptOutcome{} : change.reached;
    result.footAfter = playerFoot();
    return result;
}
