#pragma once

#include "physics/kitchen_actors.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"

#include <gtest/gtest.h>

#include <array>

// A fresh physics world per test, built in the game's order: knives, the level's colliders
// with the pizza, createWorld, then the hazard. Released again after the test.
class KitchenWorld : public ::testing::Test {
  protected:
    void SetUp() override
    {
        obstacles = ObstacleState{};
        initPhysics();
        const KitchenActors actors = createKitchenActors();
        knives = actors.knives;
        level = actors.level;
        createWorld();
        hazard = createHazard();
    }

    void TearDown() override
    {
        cleanupPhysics();
        obstacles = ObstacleState{};
    }

    KnifeActors knives{};
    LevelActors level;
    PhysicsActor* hazard = nullptr;
};
