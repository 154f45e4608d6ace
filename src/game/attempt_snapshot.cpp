#include "game/attempt_snapshot.h"

#include "physics/player.h"
#include "render/player_camera.h"

namespace {

MotionSnapshot captureMotion()
{
    const PlayerMotion& m = playerMotion;
    return {{m.playerSpeedX, m.playerSpeedY, m.playerSpeedZ},
            m.timeSinceJump,
            m.jumpsLeft,
            m.leftHeld,
            m.rightHeld,
            m.playerDisplacement,
            m.playerAlive,
            m.pizzaReached,
            m.airTime};
}

void restoreMotion(const MotionSnapshot& snapshot)
{
    PlayerMotion& m = playerMotion;
    m.playerSpeedX = snapshot.speed.x;
    m.playerSpeedY = snapshot.speed.y;
    m.playerSpeedZ = snapshot.speed.z;
    m.timeSinceJump = snapshot.timeSinceJump;
    m.jumpsLeft = snapshot.jumpsLeft;
    m.leftHeld = snapshot.leftHeld;
    m.rightHeld = snapshot.rightHeld;
    m.playerDisplacement = snapshot.displacement;
    m.playerAlive = snapshot.alive;
    m.pizzaReached = snapshot.pizzaReached;
    m.airTime = snapshot.airTime;
}

} // namespace

void captureAttempt(AttemptSnapshot& snapshot, const SnapshotSources& sources)
{
    capturePhysics(snapshot.physics);
    snapshot.motion = captureMotion();
    snapshot.switches = input;
    snapshot.timer = sources.timer.state();
    snapshot.cameraPosition = sources.playerCamera.getPosition();
    snapshot.cameraTarget = sources.playerCamera.getTarget();
    snapshot.orbit = sources.orbitCamera.state();
}

std::string restoreAttempt(const AttemptSnapshot& snapshot, const SnapshotSources& sources)
{
    if (std::string why = restorePhysics(snapshot.physics); !why.empty()) {
        return why;
    }
    restoreMotion(snapshot.motion);
    input = snapshot.switches;
    sources.timer.restore(snapshot.timer);
    sources.playerCamera.update(snapshot.cameraPosition, snapshot.cameraTarget);
    sources.orbitCamera.restore(snapshot.orbit);
    return {};
}
