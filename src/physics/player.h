#pragma once

#include "physics/capsule_controller.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <functional>

class StateHash;

// How many jumps the player has between two touches of the ground.
inline constexpr std::int32_t jumpsPerLanding = 2;

// The player's motion, program-wide (there is one player). The game moves the capsule by its
// own speeds and gravity; the physics world never pushes it. A fresh program starts still,
// alive, with both jumps and no keys held.
struct PlayerMotion {
    float playerSpeedX = 0.0f;  // forward, along +X, units/s
    float playerSpeedZ = 0.0f;  // sideways, +Z is to the player's right
    float playerSpeedY = 0.0f;  // vertical, +Y up
    float timeSinceJump = 0.0f; // seconds since the last Space jump
    std::int32_t jumpsLeft = jumpsPerLanding;
    bool leftHeld = false;
    bool rightHeld = false;
    glm::vec3 playerDisplacement{0.0f, 0.0f, 0.0f}; // what the next move hands the controller
    bool playerAlive = true;                        // cleared by a "kill" contact
    bool pizzaReached = false;                      // set by a "pizza" contact
    float airTime = 0.0f; // seconds of moves since the capsule last touched "ground"
    // Told of each jump taken (second: no jump is left before landing) and of each landing
    // after more than half a second in the air; the sounds listen.
    std::function<void(bool second)> jumpListener;
    std::function<void()> landingListener;
};

// The program's one player.
extern PlayerMotion playerMotion;

// What the player is asked to do. Taken in every game state; it only shows while the capsule
// is being moved. Running forward or back is one speed: the later call decides, and letting
// go of either stops the player.
void runForward(bool held);
void runBackward(bool held);
// The sideways steps remember what is held: with both held the later step wins, and letting go
// of one goes back to the other.
void stepLeft(bool held);
void stepRight(bool held);
// jumpsPerLanding jumps before landing, at least a fifth of a second apart.
void jump();
// Always jumps, kept for trying out the course.
void jumpWithoutLimit();
// Runs forward at three times the speed until forward or back is next pressed or let go.
void dash();

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

// The controller part of createWorld: gHitReport, gControllerManager and the player's
// controller in it at the start point.
void createPlayerController();

// One playing frame's move: the motion update, a report of every "kill" actor the capsule
// already touches, then the controller's move. Returns the foot position for the player's
// model and the follow camera.
glm::dvec3 movePlayer(float dt);

// Where the player's controller stands now, between moves too (after a restart, say).
glm::dvec3 playerFoot();

// The capsule's centre, and a teleport of it without contacts, for snapshots of the player.
glm::dvec3 playerCentre();
void placePlayerCentre(const glm::dvec3& centre);

// The player's speeds, gravity, jumps and capsule, for the level's fingerprint.
void fingerprintPlayerRules(StateHash& hash);

// The player's share of a restart: back to the start point, alive, no pizza, both jumps.
// Speeds, held keys and the jump timer are kept.
void restartPlayer();
