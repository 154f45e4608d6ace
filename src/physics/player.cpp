#include "physics/player.h"

#include "physics/actor_tags.h"
#include "physics/level_layout.h"
#include "physics/state_hash.h"

#include <iostream>

PlayerMotion playerMotion;

namespace {

constexpr float runSpeed = 10.0f;
constexpr float dashSpeed = 30.0f;
constexpr float jumpSpeed = 16.0f;
constexpr float jumpSpacing = 0.2f;
constexpr float playerGravity = 40.0f;
constexpr float audibleFall = 0.5f; // shorter drops, a step down or a brushed wall, land softly

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

void runForward(bool held)
{
    playerMotion.playerSpeedX = held ? runSpeed : 0.0f;
}

void runBackward(bool held)
{
    playerMotion.playerSpeedX = held ? -runSpeed : 0.0f;
}

void stepLeft(bool held)
{
    playerMotion.leftHeld = held;
    if (held) {
        playerMotion.playerSpeedZ = -runSpeed;
    }
    settleSidewaysSpeed();
}

void stepRight(bool held)
{
    playerMotion.rightHeld = held;
    if (held) {
        playerMotion.playerSpeedZ = runSpeed;
    }
    settleSidewaysSpeed();
}

void jump()
{
    if (playerMotion.jumpsLeft > 0 && playerMotion.timeSinceJump >= jumpSpacing) {
        --playerMotion.jumpsLeft;
        playerMotion.timeSinceJump = 0.0f;
        playerMotion.playerSpeedY = jumpSpeed;
        if (playerMotion.jumpListener) {
            playerMotion.jumpListener(playerMotion.jumpsLeft <= 0);
        }
    }
}

void jumpWithoutLimit()
{
    --playerMotion.jumpsLeft;
    playerMotion.playerSpeedY = jumpSpeed;
    if (playerMotion.jumpListener) {
        playerMotion.jumpListener(playerMotion.jumpsLeft <= 0);
    }
}

void dash()
{
    playerMotion.playerSpeedX = dashSpeed;
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
        if (playerMotion.airTime > audibleFall && playerMotion.landingListener) {
            playerMotion.landingListener();
        }
        playerMotion.airTime = 0.0f;
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
    playerMotion.airTime += dt;
    playerMotion.playerDisplacement = {playerMotion.playerSpeedX * dt,
                                       playerMotion.playerSpeedY * dt,
                                       playerMotion.playerSpeedZ * dt};
    playerMotion.playerSpeedY -= playerGravity * dt;
}

void fingerprintPlayerRules(StateHash& hash)
{
    for (float value : {runSpeed, dashSpeed, jumpSpeed, jumpSpacing, playerGravity}) {
        hash.add(value);
    }
    hash.add(jumpsPerLanding);
    const CapsuleControllerSettings capsule;
    for (float value : {capsule.slopeLimit, capsule.contactOffset, capsule.stepOffset,
                        capsule.radius, capsule.height, capsule.proxyScale, level::playerStart.x,
                        level::playerStart.y, level::playerStart.z}) {
        hash.add(value);
    }
    hash.add(static_cast<int>(capsule.climbingMode));
    hash.add(static_cast<int>(capsule.nonWalkableMode));
    hash.add(capsule.kinematicProxy);
}
