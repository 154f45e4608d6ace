#include "physics/actor_tags.h"
#include "physics/level_layout.h"

#include "kitchen_world.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

void expectNear(const btVector3& actual, const btVector3& expected, float tolerance)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.z(), expected.z(), tolerance);
}

// Before the hazard's first hop, the particle system has drawn 22 numbers from the same
// sequence; an unseeded program starts that sequence as srand(1) does.
void startRandLikeTheGame()
{
    std::srand(1);
    for (int i = 0; i < 22; ++i) {
        std::rand();
    }
}

std::vector<int> expectedSpots(int hops)
{
    startRandLikeTheGame();
    std::vector<int> spots;
    for (int i = 0; i < hops; ++i) {
        spots.push_back(std::rand() % 5);
    }
    return spots;
}

int spotIndex(const glm::vec3& position)
{
    for (std::size_t i = 0; i < level::hazardSpots.size(); ++i) {
        if (level::hazardSpots[i] == position) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Hops the hazard the given number of times, as frames with 2 s between them would.
std::vector<int> hop(PhysicsActor& hazard, int hops, std::vector<int>* heard)
{
    setHazardHopListener([heard](const glm::vec3& spot) { heard->push_back(spotIndex(spot)); });
    std::vector<int> spots;
    for (int i = 0; i < hops; ++i) {
        hazardTimer = 2.0f;
        knifeTimer = 5.0f;
        updateObstacles();
        EXPECT_EQ(hazardTimer, 0.0f);
        spots.push_back(spotIndex(hazard.getGlobalPose().position));
    }
    return spots;
}

} // namespace

TEST_F(KitchenWorld, FirstFrameThrowsEveryKnifeFromItsSpawnPoint)
{
    for (std::size_t i = 0; i < knives.size(); ++i) {
        EXPECT_EQ(knives[i]->getGlobalPose().position, level::knifeSpawns[i]);
    }
    updateObstacles();
    for (PhysicsActor* knife : knives) {
        // The kick is immediate: impulse over mass, 300 / 24.
        expectNear(knife->body().getLinearVelocity(), {-12.5f, -12.5f, 0.0f}, 1e-4f);
        EXPECT_TRUE(knife->body().isActive());
    }
    // The torque acts over the next step only: the spin it gives is torque * step / inertia.
    const btVector3 inverseInertia = knives[0]->body().getInvInertiaDiagLocal();
    const float spin = 300.0f * physicsTimeStep * inverseInertia.x();
    stepPhysics();
    const float spinAfterOneStep = knives[0]->body().getAngularVelocity().x();
    EXPECT_NEAR(spinAfterOneStep, spin, spin * 0.01f);
    stepPhysics();
    EXPECT_LE(knives[0]->body().getAngularVelocity().x(), spinAfterOneStep);
    expectNear(knives[0]->body().getLinearVelocity(), {-12.5f, -12.5f - 2.0f * 9.81f / 60.0f, 0.0f},
               1e-3f);
}

TEST_F(KitchenWorld, KnivesAreThrownOnlyWhenTheirTimerIsZero)
{
    knifeTimer = 4.0f;
    updateObstacles();
    for (PhysicsActor* knife : knives) {
        EXPECT_EQ(knife->body().getLinearVelocity(), btVector3(0.0f, 0.0f, 0.0f));
    }
    EXPECT_EQ(knifeTimer, 4.0f);
}

TEST_F(KitchenWorld, AfterTenSecondsKnivesArePutBackUprightAndThrownKeepingTheirVelocity)
{
    for (PhysicsActor* knife : knives) {
        knife->body().setLinearVelocity({1.0f, 2.0f, 3.0f});
        knife->body().setAngularVelocity({0.5f, 0.0f, 0.0f});
        knife->setGlobalPose({{0.0f, -10.0f, 0.0f}, glm::angleAxis(1.0f, glm::vec3(1, 0, 0))});
    }
    knifeTimer = 10.3f;
    updateObstacles();
    EXPECT_EQ(knifeTimer, 0.0f); // set back, not reduced by the period
    for (std::size_t i = 0; i < knives.size(); ++i) {
        const Pose pose = knives[i]->getGlobalPose();
        EXPECT_EQ(pose.position, level::knifeResets[i]);
        EXPECT_NEAR(glm::angle(pose.rotation), 0.0f, 1e-6f);
        expectNear(knives[i]->body().getLinearVelocity(), {1.0f - 12.5f, 2.0f - 12.5f, 3.0f},
                   1e-4f);
        EXPECT_FLOAT_EQ(knives[i]->body().getAngularVelocity().x(), 0.5f);
    }
}

TEST_F(KitchenWorld, HazardHopsEveryTwoSecondsToTheSpotsRandPicks)
{
    std::vector<int> heard;
    startRandLikeTheGame();
    hazardTimer = 1.99f;
    knifeTimer = 5.0f;
    updateObstacles();
    EXPECT_EQ(spotIndex(hazard->getGlobalPose().position), 0);
    EXPECT_FLOAT_EQ(hazardTimer, 1.99f);

    const std::vector<int> spots = hop(*hazard, 12, &heard);
    const std::vector<int> expected = expectedSpots(12);
    EXPECT_EQ(spots, expected);
    EXPECT_EQ(heard, expected); // the particle stream moves with the hazard
    EXPECT_EQ(hazard->tag(), killTag);

    // The world sees the hazard at its new spot at once, before any step.
    const glm::vec3 spot = level::hazardSpots[spots.back()];
    const btVector3 from(spot.x, 100.0f, spot.z);
    const btVector3 to(spot.x, -30.0f, spot.z);
    btCollisionWorld::ClosestRayResultCallback ray(from, to);
    gScene->rayTest(from, to, ray);
    ASSERT_TRUE(ray.hasHit());
    EXPECT_EQ(ray.m_collisionObject, &hazard->body());
    EXPECT_NEAR(ray.m_hitPointWorld.y(), 4.5f, 1e-3f);
}

TEST(Hazard, SpotsAreTheSameOnEveryStart)
{
    std::vector<std::vector<int>> runs;
    for (int start = 0; start < 2; ++start) {
        initPhysics();
        createKnives();
        buildLevelColliders();
        createWorld();
        PhysicsActor* hazard = createHazard();
        startRandLikeTheGame();
        std::vector<int> heard;
        runs.push_back(hop(*hazard, 8, &heard));
        cleanupPhysics();
        setHazardHopListener({});
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], expectedSpots(8));
}
