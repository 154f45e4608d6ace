#include "physics/player.h"

#include "physics/actor_tags.h"

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

void runForward(bool held)
{
    playerSpeedX = held ? runSpeed : 0.0f;
}

void runBackward(bool held)
{
    playerSpeedX = held ? -runSpeed : 0.0f;
}

void stepLeft(bool held)
{
    leftHeld = held;
    if (held) {
        playerSpeedZ = -runSpeed;
    }
    settleSidewaysSpeed();
}

void stepRight(bool held)
{
    rightHeld = held;
    if (held) {
        playerSpeedZ = runSpeed;
    }
    settleSidewaysSpeed();
}

void jump()
{
    if (jumpsLeft > 0 && timeSinceJump >= jumpSpacing) {
        --jumpsLeft;
        timeSinceJump = 0.0f;
        playerSpeedY = jumpSpeed;
    }
}

void jumpWithoutLimit()
{
    --jumpsLeft;
    playerSpeedY = jumpSpeed;
}

void dash()
{
    playerSpeedX = dashSpeed;
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
