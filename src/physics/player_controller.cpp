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
    return *gControllerManager->getController(0);
}

} // namespace

void createPlayerController()
{
    gHitReport = new PlayerHitCallback();

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
    settings.reportCallback = gHitReport;

    gControllerManager = new ControllerManager(gScene);
    gControllerManager->createController(settings);
}

glm::dvec3 movePlayer(float dt)
{
    gHitReport->updateMotion(dt);
    CapsuleController& controller = playerController();
    reportTouchingKillActors(*gScene, controller.getPosition(),
                             level::playerRadius + level::playerSkin, level::playerHeight,
                             *gHitReport);
    controller.move(playerDisplacement, minimumMoveDistance, dt);
    return controller.getFootPosition();
}

void restartPlayer()
{
    playerController().setPosition(level::playerStart);
    playerAlive = true;
    pizzaReached = false;
    jumpsLeft = 2;
}
