#pragma once

#include "game/frame_timer.h"
#include "game/input_state.h"
#include "physics/physics_snapshot.h"
#include "render/orbit_camera.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

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

// One value of a snapshot, as the run format writes it and the state checksum hashes it.
struct SnapshotValue {
    enum class Kind { real32, real64, int32, byte, flag, count };
    Kind kind;
    void* at;
};

// The most moving bodies a snapshot may name: a bound for readers of untrusted files.
inline constexpr std::size_t maxSnapshotBodies = 64;

// The snapshot as named lines of values, in the order the format keeps them. The line "bodies"
// holds their number; once it is visited the snapshot holds that many bodies (at most
// maxSnapshotBodies), each then visited as a line "body". A reader fills the values it visits.
class StateHash;

using SnapshotLineVisitor = std::function<void(std::string_view name, std::span<SnapshotValue>)>;
void forEachSnapshotLine(AttemptSnapshot& snapshot, const SnapshotLineVisitor& visit);

// Every value of the snapshot into the hash, by its bits.
void hashSnapshot(StateHash& hash, AttemptSnapshot& snapshot);
