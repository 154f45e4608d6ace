#include "physics/actor_tags.h"
#include "physics/level_layout.h"

#include "kitchen_world.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

namespace {

struct Top {
    bool hit = false;
    float y = 0.0f;
    const char* tag = nullptr;
};

// What a ray straight down from high above (x, z) meets first.
Top topAt(float x, float z)
{
    const btVector3 from(x, 100.0f, z);
    const btVector3 to(x, -30.0f, z);
    btCollisionWorld::ClosestRayResultCallback ray(from, to);
    physicsWorld.gScene->rayTest(from, to, ray);
    Top top;
    if (ray.hasHit()) {
        top = {true, ray.m_hitPointWorld.y(), tagOf(*ray.m_collisionObject)};
    }
    return top;
}

struct Probe {
    const char* what;
    float x, z;
    float top;
    const char* tag;
};

// Points inside each solid of the kitchen's plan, with the height of its top and its tag.
const Probe probes[] = {
    {"first run", 10.0f, 0.0f, 0.0f, groundTag},
    {"first run near its end", 107.0f, -3.0f, 0.0f, groundTag},
    {"second run", 130.0f, 0.0f, 0.0f, groundTag},
    {"corner run", 149.0f, 20.0f, 0.0f, groundTag},
    {"far run", 230.0f, 50.0f, 0.0f, groundTag},
    {"pit floor", 112.4f, 0.0f, -2.0f, killTag},
    {"pit rim, near side", 112.4f, -5.552f, 0.2f, groundTag},
    {"pit rim, goal end", 117.346f, 0.0f, 0.2f, groundTag},
    {"tall wall block", 157.5f, 0.0f, 41.92f, nullptr},
    {"book pile 1 beside its top book", 61.7f, -5.0f, 7.7005f, nullptr},
    {"book pile 2 beside its top book", 322.82f, 31.0f, -0.805f, groundTag},
    {"table 1", 66.9f, 35.0f, 0.0f, groundTag},
    {"table 2, turned across the course", 340.0f, 40.0f, 0.0f, groundTag},
    {"chair 2 seat", 259.0f, 30.0f, -8.54f, groundTag},
    {"broom handle", 54.31f, 13.44f, 1.21f, groundTag},
    {"broom head", 58.42f, 26.305f, 1.4f, groundTag},
    {"kitchen floor", 30.0f, 30.0f, -21.0f, killTag},
    {"kitchen floor in the gap between the runs", 160.0f, 37.0f, -21.0f, killTag},
};

} // namespace

TEST_F(KitchenWorld, EverySolidOfThePlanStandsWhereTheModelsAre)
{
    for (const Probe& probe : probes) {
        const Top top = topAt(probe.x, probe.z);
        ASSERT_TRUE(top.hit) << probe.what;
        EXPECT_NEAR(top.y, probe.top, 0.01f) << probe.what;
        // The contact report compares the tag's address, not its text.
        EXPECT_EQ(top.tag, probe.tag) << probe.what;
    }
}

TEST_F(KitchenWorld, PizzaFallsOntoTableTwoAndRestsThere)
{
    for (int frame = 0; frame < 240; ++frame) {
        stepPhysics();
    }
    const Pose pizza = level.pizza->getGlobalPose();
    EXPECT_NEAR(pizza.position.y, 0.25f, 0.01f);
    EXPECT_NEAR(pizza.position.x, 340.0f, 0.01f);
    EXPECT_NEAR(pizza.position.z, 23.0f, 0.01f);
    EXPECT_NEAR(glm::angle(pizza.rotation), 0.0f, 1e-3f);
    EXPECT_LT(level.pizza->body().getLinearVelocity().length(), 0.01f);
    const Top top = topAt(340.0f, 23.0f);
    EXPECT_EQ(top.tag, pizzaTag);
    EXPECT_NEAR(top.y, 0.5f, 0.01f);
}
