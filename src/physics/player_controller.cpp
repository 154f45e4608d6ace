#include "physics/kill_contacts.h"
#include "physics/level_layout.h"
#include "physics/physics_world.h"
#include "physics/player.h"

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <numbers>

namespace {

constexpr float minimumMoveDistance = 0.000001f;

CapsuleController& playerController()
{
    return *physicsWorld.gControllerManager->getController(0);
}

} // namespace

void createPlayerController()
{
    physicsWorld.gHitReport = new PlayerHitCallback();

    CapsuleControllerSettings settings;
    settings.position = level::playerStart;
    settings.upDirection = {0.0f, 1.0f, 0.0f};
    settings.slopeLimit = std::cos(std::numbers::pi_v<float> / 4.0f);
    settings.contactOffset = level::playerSkin;
    settings.stepOffset = 0.26f;
    settings.radius = level::playerRadius;
    settings.height = level::playerHeight;
    settings.climbingMode = ClimbingMode::easy;
    settings.nonWalkableMode = NonWalkableMode::preventClimbing;
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

glm::dvec3 playerFoot()
{
    return playerController().getFootPosition();
}
