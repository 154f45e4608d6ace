#include "physics/player.h"

#include "physics/actor_tags.h"

#include <GLFW/glfw3.h>

#include <iostream>

float playerSpeedX = 0.0f;
float playerSpeedZ = 0.0f;
float playerSpeedY = 0.0f;
float timeSinceJump = 0.0f;
std::int32_t jumpsLeft = 2;
bool leftHeld = false;
bool rightHeld = false;
glm::vec3 playerDisplacement{0.0f, 0.0f, 0.0f};
bool playerAlive = true;
bool pizzaReached = false;

namespace {

constexpr float runSpeed = 10.0f;
constexpr float dashSpeed = 30.0f;
constexpr float jumpSpeed = 16.0f;
constexpr float jumpSpacing = 0.2f;
constexpr float playerGravity = 40.0f;
constexpr std::int32_t jumpsPerLanding = 2;

void tryJump()
{
    if (jumpsLeft > 0 && timeSinceJump >= jumpSpacing) {
        --jumpsLeft;
        timeSinceJump = 0.0f;
        playerSpeedY = jumpSpeed;
    }
}

// With both A and D held the speed stays as the later press set it.
void settleSidewaysSpeed()
{
    if (leftHeld && !rightHeld) {
        playerSpeedZ = -runSpeed;
    } else if (rightHeld && !leftHeld) {
        playerSpeedZ = runSpeed;
    } else if (!leftHeld && !rightHeld) {
        playerSpeedZ = 0.0f;
    }
}

} // namespace

void handleMovementInput(int key, int action)
{
    const bool down = action != GLFW_RELEASE;
    switch (key) {
    case GLFW_KEY_W:
        playerSpeedX = down ? runSpeed : 0.0f;
        break;
    case GLFW_KEY_S:
        playerSpeedX = down ? -runSpeed : 0.0f;
        break;
    case GLFW_KEY_A:
        leftHeld = down;
        if (down) {
            playerSpeedZ = -runSpeed;
        }
        break;
    case GLFW_KEY_D:
        rightHeld = down;
        if (down) {
            playerSpeedZ = runSpeed;
        }
        break;
    case GLFW_KEY_SPACE:
        // Press and release both try, so a slow tap can make two jumps.
        tryJump();
        break;
    case GLFW_KEY_V:
        // The unlimited jump, kept for trying out the course.
        --jumpsLeft;
        playerSpeedY = jumpSpeed;
        break;
    case GLFW_KEY_K:
        playerSpeedX = dashSpeed;
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
        playerAlive = false;
        playerSpeedY = 0.0f;
    }
    if (tag == pizzaTag) {
        pizzaReached = true;
        playerSpeedY = 0.0f;
    }
    if (tag == groundTag) {
        jumpsLeft = jumpsPerLanding;
        playerSpeedY = 0.0f;
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
    timeSinceJump += dt;
    playerDisplacement = {playerSpeedX * dt, playerSpeedY * dt, playerSpeedZ * dt};
    playerSpeedY -= playerGravity * dt;
}

void resetPlayerToProgramStart()
{
    playerSpeedX = playerSpeedY = playerSpeedZ = 0.0f;
    timeSinceJump = 0.0f;
    jumpsLeft = 2;
    leftHeld = rightHeld = false;
    playerDisplacement = {0.0f, 0.0f, 0.0f};
    playerAlive = true;
    pizzaReached = false;
}
