#pragma once

#include "physics/physics_actor.h"

#include <array>

// The actors that stand for the kitchen's placed models. The models read and set their poses
// through RigidActor: tables, book piles and chairs are placed here from the level layout,
// and the pizza's model follows its dynamic actor.
struct LevelActors {
    std::array<PhysicsActor*, 2> tables{};
    std::array<PhysicsActor*, 2> bookPiles{};
    std::array<PhysicsActor*, 5> chairs{};
    PhysicsActor* pizza = nullptr;
};

// The colliders of the tables, book piles and chairs, added to the world at once, and the
// pizza, queued in gDynamicActors after the knives. Runs after the knives are made and before
// createWorld.
LevelActors buildLevelColliders();

// The kitchen floor that kills, the four boundary planes, the tall wall block, the counter
// tops with the pit's rim, the pit floor and the broom's two blocks, in this order. Part of
// createWorld.
void createFreeStandingColliders();
