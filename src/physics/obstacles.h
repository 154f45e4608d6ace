#pragma once

#include "physics/level_layout.h"
#include "physics/physics_actor.h"

#include <glm/vec3.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

class StateHash;

// The knives' actors, in the order of level::knifeSpawns.
using KnifeActors = std::array<PhysicsActor*, level::knifeCount>;

// The knives, the hazard and their clocks, program-wide. A fresh program has no actors yet,
// both timers at zero and nobody listening for hops.
struct ObstacleState {
    // Seconds since the knives were last thrown and since the hazard last hopped. Both run in
    // every game state; the game update adds the frame time after updateObstacles.
    float knifeTimer = 0.0f;
    float hazardTimer = 0.0f;
    KnifeActors knives{};
    PhysicsActor* hazard = nullptr;
    // Hops since the hazard was made: each took one draw of the random sequence, so this says
    // how far past its start-up draws the sequence has run.
    std::uint64_t hazardHops = 0;
    // The draws of the sequence made at start-up before the hazard's first hop: where a
    // restore that goes back starts the sequence again from.
    int drawsBeforeHazard = 0;
    // Called with the new spot each time the hazard hops, to move the particle stream with it.
    std::function<void(const glm::vec3&)> hopListener;
    // Called for each knife as it is thrown, with its number and where it is.
    std::function<void(std::size_t knife, const glm::vec3& position)> throwListener;
};

// The program's one set of obstacles.
extern ObstacleState obstacles;

// The six knives at their spawn points, tagged "kill" and queued in gDynamicActors. Runs
// before the level's colliders, so the knives come before the pizza in the queue.
KnifeActors createKnives();

// The hopping hazard at its first spot, tagged "kill" and in the world at once. Runs after the
// particle system exists: both draw from the one unseeded std::rand sequence, and the
// particles take theirs first.
PhysicsActor* createHazard();

// Once a frame, before the timers advance: the hazard hops when 2 s have gathered (to spot
// std::rand() % 5), the knives are put back when 10 s have, and they are thrown on the first
// frame and whenever they were put back.
void updateObstacles();

// The game update's share of the frame time.
void advanceObstacleTimers(float dt);

// Where a snapshot left the obstacles: their timers, the hazard's spot and the hops it had
// made. The random sequence is drawn on to where those hops left it, so this follows a fresh
// start-up (or the state it was taken from). When it has already run further (a watched run
// played again from its start), it is started again as an unseeded program starts it, and the
// start-up's draws are made again first. False, changing nothing, without a hazard. A hazard
// put on another spot is told to the hop listener, as a hop is.
bool restoreObstacles(float knifeTimer, float hazardTimer, std::uint64_t hazardHops,
                      const glm::vec3& hazardSpot);

// What the obstacles are made of and how they move, for the level's fingerprint.
void fingerprintObstacleRules(StateHash& hash);

// Drops the handles when the world is released.
void forgetObstacles();
