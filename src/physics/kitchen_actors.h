#pragma once

#include "physics/level_colliders.h"
#include "physics/obstacles.h"
#include "physics/physics_actor.h"

#include <array>

// The actors the kitchen's placed models are bound to: the six knives and the level's
// colliders with the pizza.
struct KitchenActors {
    KnifeActors knives{};
    LevelActors level;
};

// The knives, then the level's colliders and the pizza. The order is the simulation's: the
// knives come before the pizza in gDynamicActors, and the world keeps its objects in the order
// they were added. Runs after initPhysics and before createWorld.
KitchenActors createKitchenActors();
