#include "physics/kill_contacts.h"
#include "physics/level_layout.h"
#include "physics/physics_world.h"
#include "physics/player.h"

#include <btBulletDynamicsCommon.h>

namespace {

constexpr float minimumMoveDistance = 0.000001f;

CapsuleController& playerController()
{
    return *physicsWorld.gControllerManager->getController();
}

} // namespace

void createPlayerController()
{
    physicsWorld.gHitReport = new PlayerHitCallback();

    // The capsule is the controller's own: only where it starts and who hears of its contacts
    // are the player's.
    CapsuleControllerSettings settings;
    settings.position = level::playerStart;
    settings.reportCallback = physicsWorld.gHitReport;

    physicsWorld.gControllerManager = new ControllerManager(physicsWorld.gScene);
    physicsWorld.gControllerManager->createController(settings);
}

glm::dvec3 movePlayer(float dt)
{
    physicsWorld.gHitReport->updateMotion(dt);
    CapsuleController& controller = playerController();
    reportTouchingKillActors(*physicsWorld.gScene, controller.getPosition(),
                             level::playerRadius + level::playerSkin, level::playerHeight,
                             *physicsWorld.gHitReport);
    controller.move(playerMotion.playerDisplacement, minimumMoveDistance, dt);
    return controller.getFootPosition();
}

void restartPlayer()
{
    playerController().setPosition(level::playerStart);
    playerMotion.playerAlive = true;
    playerMotion.pizzaReached = false;
    playerMotion.jumpsLeft = jumpsPerLanding;
}

glm::dvec3 playerCentre()
{
    return playerController().getPosition();
}

void placePlayerCentre(const glm::dvec3& centre)
{
    playerController().setPosition(centre);
}

glm::dvec3 playerFoot()
{
    return playerController().getFootPosition();
}
