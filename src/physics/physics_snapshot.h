#pragma once

#include "physics/body_state.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <string>
#include <vector>

class StateHash;

// Everything physical that carries over from one attempt into the next: every moving body of
// the world (the knives, the pizza, the player's proxy), the controller's capsule, the
// obstacles' timers, the hazard's spot and how far the random sequence has run.
struct PhysicsSnapshot {
    std::vector<BodyState> bodies; // in the world's order
    glm::dvec3 controllerCentre{0.0};
    float knifeTimer = 0.0f;
    float hazardTimer = 0.0f;
    std::uint64_t hazardHops = 0;
    glm::vec3 hazardSpot{0.0f};
};

// Into a snapshot that keeps its room, so taking one at every restart allocates nothing.
void capturePhysics(PhysicsSnapshot& snapshot);

// Puts the world in the snapshot's state, then renews the broadphase (physics_engine.h): the
// world is then exactly what a fresh process restoring the same snapshot builds. Returns an
// empty text, or why the snapshot does not fit this world (then nothing has changed).
std::string restorePhysics(const PhysicsSnapshot& snapshot);

// The world as built, before its first step: every body's shape, pose, mass, material and tag,
// the gravity, the bounce threshold and the step length.
void fingerprintWorld(StateHash& hash);
