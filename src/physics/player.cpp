#include "physics/player.h"

#include "physics/actor_tags.h"

#include <GLFW/glfw3.h>

#include <iostream>

PlayerMotion playerMotion;

namespace {

constexpr float runSpeed = 10.0f;
constexpr float dashSpeed = 30.0f;
constexpr float jumpSpeed = 16.0f;
constexpr float jumpSpacing = 0.2f;
constexpr float playerGravity = 40.0f;
constexpr std::int32_t jumpsPerLanding = 2;

void tryJump()
{
    if (playerMotion.jumpsLeft > 0 && playerMotion.timeSinceJump >= jumpSpacing) {
        --playerMotion.jumpsLeft;
        playerMotion.timeSinceJump = 0.0f;
        playerMotion.playerSpeedY = jumpSpeed;
    }
}

// With both A and D held the speed stays as the later press set it.
void settleSidewaysSpeed()
{
    if (playerMotion.leftHeld && !playerMotion.rightHeld) {
        playerMotion.playerSpeedZ = -runSpeed;
    } else if (playerMotion.rightHeld && !playerMotion.leftHeld) {
        playerMotion.playerSpeedZ = runSpeed;
    } else if (!playerMotion.leftHeld && !playerMotion.rightHeld) {
        playerMotion.playerSpeedZ = 0.0f;
    }
}

} // namespace

void handleMovementInput(int key, int action)
{
    const bool down = action != GLFW_RELEASE;
    switch (key) {
    case GLFW_KEY_W:
        playerMotion.playerSpeedX = down ? runSpeed : 0.0f;
        break;
    case GLFW_KEY_S:
        playerMotion.playerSpeedX = down ? -runSpeed : 0.0f;
        break;
    case GLFW_KEY_A:
        playerMotion.leftHeld = down;
        if (down) {
            playerMotion.playerSpeedZ = -runSpeed;
        }
        break;
    case GLFW_KEY_D:
        playerMotion.rightHeld = down;
        if (down) {
            playerMotion.playerSpeedZ = runSpeed;
        }
        break;
    case GLFW_KEY_SPACE:
        // Press and release both try, so a slow tap can make two jumps.
        tryJump();
        break;
    case GLFW_KEY_V:
        // The unlimited jump, kept for trying out the course.
        --playerMotion.jumpsLeft;
        playerMotion.playerSpeedY = jumpSpeed;
        break;
    case GLFW_KEY_K:
        playerMotion.playerSpeedX = dashSpeed;
        break;
    default:
        break;
    }
    settleSidewaysSpeed();
}

void PlayerHitCallback::onShapeHit(const ShapeHit& hit)
{
    if (hit.actor == nullptr) {
        return;
    }
    const char* tag = tagOf(*hit.actor);
    if (tag == killTag) {
        playerMotion.playerAlive = false;
        playerMotion.playerSpeedY = 0.0f;
    }
    if (tag == pizzaTag) {
        playerMotion.pizzaReached = true;
        playerMotion.playerSpeedY = 0.0f;
    }
    if (tag == groundTag) {
        playerMotion.jumpsLeft = jumpsPerLanding;
        playerMotion.playerSpeedY = 0.0f;
    }
}

void PlayerHitCallback::onControllerHit(const ControllerHit&)
{
    std::cout << "controller hit" << std::endl;
}

void PlayerHitCallback::onObstacleHit(const ObstacleHit&)
{
    std::cout << "obstacle hit" << std::endl;
}

void PlayerHitCallback::updateMotion(float dt)
{
    playerMotion.timeSinceJump += dt;
    playerMotion.playerDisplacement = {playerMotion.playerSpeedX * dt,
                                       playerMotion.playerSpeedY * dt,
                                       playerMotion.playerSpeedZ * dt};
    playerMotion.playerSpeedY -= playerGravity * dt;
}
