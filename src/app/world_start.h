#pragma once

#include "physics/kitchen_actors.h"
#include "render/particle_startup.h"

// The windowless part of the game's start-up, in its fixed order. Bullet's insertion order
// decides the simulation and the order of the std::rand draws decides the hazard's spots, so
// the game, the replay driver, the benchmark and the headless game all start through these
// two halves. The game makes its cameras, lights and framebuffer between them.

// initPhysics, the knives, the level's colliders and the pizza, then createWorld (the player's
// controller).
KitchenActors startPhysicsWorld();

// What the second half makes.
struct HazardStart {
    StartupParticles particles; // for the particle system, around the hazard's first spot
    PhysicsActor* hazard = nullptr;
};

// The particle system's start-up draws, then the hazard at its first spot.
HazardStart startParticlesAndHazard();
