#pragma once

#include "physics/capsule_controller.h"

#include <glm/vec3.hpp>

#include <cstdint>

// The player's motion, program-wide (there is one player). The game moves the capsule by its
// own speeds and gravity; the physics world never pushes it. A fresh program starts still,
// alive, with both jumps and no keys held.
struct PlayerMotion {
    float playerSpeedX = 0.0f;  // forward, along +X, units/s
    float playerSpeedZ = 0.0f;  // sideways, +Z is to the player's right
    float playerSpeedY = 0.0f;  // vertical, +Y up
    float timeSinceJump = 0.0f; // seconds since the last Space jump
    std::int32_t jumpsLeft = 2;
    bool leftHeld = false;
    bool rightHeld = false;
    glm::vec3 playerDisplacement{0.0f, 0.0f, 0.0f}; // what the next move hands the controller
    bool playerAlive = true;                        // cleared by a "kill" contact
    bool pizzaReached = false;                      // set by a "pizza" contact
};

// The program's one player.
extern PlayerMotion playerMotion;

// A key event for the player's movement (GLFW key codes and actions). Taken in every game
// state; it only shows while the capsule is being moved.
void handleMovementInput(int key, int action);

// The contact report of the player's capsule: what it touches decides death, victory and the
// return of the double jump. It also carries the per-frame motion update.
class PlayerHitCallback final : public ControllerHitReport {
  public:
    void onShapeHit(const ShapeHit& hit) override;
    void onControllerHit(const ControllerHit& hit) override;
    void onObstacleHit(const ObstacleHit& hit) override;

    // Ages the jump timer, turns the speeds into this frame's displacement, then lets the
    // player's own gravity of 40 units/s^2 act on the vertical speed.
    void updateMotion(float dt);
};

// The controller part of createWorld: gHitReport, gControllerManager and its controller
// number 0 at the start point.
void createPlayerController();

// One playing frame's move: the motion update, a report of every "kill" actor the capsule
// already touches, then the controller's move. Returns the foot position for the player's
// model and the follow camera.
glm::dvec3 movePlayer(float dt);

// The player's share of a restart: back to the start point, alive, no pizza, both jumps.
// Speeds, held keys and the jump timer are kept.
void restartPlayer();
