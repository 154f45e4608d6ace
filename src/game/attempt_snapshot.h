#pragma once

#include "game/frame_timer.h"
#include "game/input_state.h"
#include "physics/physics_snapshot.h"
#include "render/orbit_camera.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <string>

class PlayerCamera;

// The player's motion as it carries over into an attempt (everything but its listeners).
struct MotionSnapshot {
    glm::vec3 speed{0.0f}; // x forward, y up, z to the right
    float timeSinceJump = 0.0f;
    std::int32_t jumpsLeft = 0;
    bool leftHeld = false;
    bool rightHeld = false;
    glm::vec3 displacement{0.0f};
    bool alive = true;
    bool pizzaReached = false;
    float airTime = 0.0f;
};

// Everything that carries over into an attempt, taken as it starts: at program start and at
// every restart. From it and the attempt's own passes a fresh process plays the attempt again
// bit for bit.
struct AttemptSnapshot {
    PhysicsSnapshot physics;
    MotionSnapshot motion;
    InputState switches;
    FrameTimer::State timer;
    glm::vec3 cameraPosition{0.0f};
    glm::vec3 cameraTarget{0.0f};
    OrbitCamera::State orbit;
};

// The clock and the cameras are the session's; the rest is program-wide.
struct SnapshotSources {
    FrameTimer& timer;
    PlayerCamera& playerCamera;
    OrbitCamera& orbitCamera;
};

// Into a snapshot that keeps its room.
void captureAttempt(AttemptSnapshot& snapshot, const SnapshotSources& sources);

// Gives the game the snapshot's state and renews the physics broadphase, so the world is the
// canonical one a fresh process builds from the same snapshot. Returns an empty text, or why the
// snapshot does not fit this game (then the program-wide state is unchanged).
std::string restoreAttempt(const AttemptSnapshot& snapshot, const SnapshotSources& sources);
