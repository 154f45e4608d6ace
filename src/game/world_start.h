#pragma once

#include "physics/kitchen_actors.h"
#include "render/particle_startup.h"

#include <functional>

// The windowless part of the game's start-up, in its fixed order. Bullet's insertion order
// decides the simulation and the order of the std::rand draws decides the hazard's spots, so
// the game, the replay driver, the benchmark and the headless game all start through these
// two halves. The game makes its cameras, lights and framebuffer between them, and hands in
// what it builds on the way: its models once the level's actors exist, and the particle system
// once its start-up draws are made.

// initPhysics, the knives, the level's colliders and the pizza, withLevel (the game binds its
// models to them), then createWorld (the player's controller).
KitchenActors startPhysicsWorld(const std::function<void(const KitchenActors&)>& withLevel = {});

// The particle system's start-up draws, withParticles (the game builds the particle system on
// them), then the hazard at its first spot, which it returns.
PhysicsActor*
startParticlesAndHazard(const std::function<void(const StartupParticles&)>& withParticles = {});
