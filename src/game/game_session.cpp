#include "game/game_session.h"

#include "game/best_score.h"
#include "game/camera_follow.h"
#include "game/frame_phases.h"
#include "game/input_state.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"

GameSession::GameSession(BestScore& best, PlayerCamera& playerCamera, OrbitCamera& orbitCamera)
    : best(best), playerCamera(playerCamera), orbitCamera(orbitCamera), current(best.value)
{
}

void GameSession::start(double now)
{
    clock.start(now);
    current = Attempt(best.value);
}

GameSession::PassResult GameSession::update(const std::function<double()>& now,
                                            const std::function<void()>& pollEvents,
                                            const std::function<void(int&, int&)>& cursor)
{
    PassResult result;
    updateObstacles();

    const float dt = clock.sample(now());
    advanceObstacleTimers(dt);
    markPhase(observer, FramePhase::Obstacles);
    if (clock.physicsDue()) {
        stepPhysics();
    }
    markPhase(observer, FramePhase::Physics);

    pollEvents();
    markPhase(observer, FramePhase::Events);

    if (advancePlayTime(current, dt)) {
        result.foot = movePlayer(dt);
        result.playerMoved = true;
        followPlayer(playerCamera, result.foot);
    }

    const glm::dvec3 foot = playerFoot();
    updateOutcome(current, dt, foot, playerCamera, best);

    if (!input.followCamera) {
        int x = 0;
        int y = 0;
        cursor(x, y);
        orbitCamera.update(x, y, input.leftMouseDown, input.rightMouseDown, input.orbitZoom);
    }

    result.restarted = restartIfRequested(current);
    return result;
}
