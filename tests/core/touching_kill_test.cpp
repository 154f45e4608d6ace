#include "physics/level_layout.h"

#include "playing_kitchen.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

// A sweep that starts inside a shape reports nothing, so without the overlap report a knife
// or the hazard arriving on a standing player would never kill it.

TEST_F(PlayingKitchen, AKnifeFallingOnAStandingPlayerKills)
{
    withObstacles = false;
    playFrames(90);
    ASSERT_NEAR(foot.y, 0.0, 0.01);

    PhysicsActor& knife = *knives[0];
    knife.body().setLinearVelocity({0.0f, 0.0f, 0.0f});
    knife.body().setAngularVelocity({0.0f, 0.0f, 0.0f});
    knife.setGlobalPose({{0.0f, 8.0f, 0.0f}, glm::quat(1.0f, 0.0f, 0.0f, 0.0f)});
    // Falling the 2.9 from its edge to the capsule's top takes some 0.75 s.
    playFrames(30);
    EXPECT_TRUE(playerMotion.playerAlive);
    for (int frame = 0; frame < 60 && playerMotion.playerAlive; ++frame) {
        playFrame();
    }
    EXPECT_FALSE(playerMotion.playerAlive);
    EXPECT_EQ(playerMotion.playerSpeedY, 0.0f);
}

TEST_F(PlayingKitchen, TheHazardHoppingOntoAStandingPlayerKillsAndElsewhereDoesNot)
{
    withObstacles = false;
    const glm::vec3 target = level::hazardSpots[1];
    placePlayer({target.x, 1.1, target.z}, 60);
    ASSERT_NEAR(foot.y, 0.0, 0.01);
    glm::vec3 spot{0.0f};
    obstacles.hopListener = [&](const glm::vec3& to) { spot = to; };
    for (int hop = 0; hop < 200 && playerMotion.playerAlive; ++hop) {
        obstacles.hazardTimer = 2.0f;
        updateObstacles();
        movePlayer(frameTime); // no physics step between: the world sees the hop at once
        EXPECT_EQ(playerMotion.playerAlive, spot != target) << "hop " << hop;
    }
    EXPECT_FALSE(playerMotion.playerAlive);
}

TEST_F(PlayingKitchen, AKillActorBeyondTheSkinDoesNotKill)
{
    withObstacles = false;
    placePlayer({182.0, 1.1, 46.0}, 60);
    ASSERT_NEAR(foot.y, 0.0, 0.01);
    // The hazard's face is at x 186; the capsule's skin reaches to 186 - 0.06 here.
    physicsWorld.gControllerManager->getController()->setPosition({186.0 - 0.36, 1.05, 46.0});
    playFrames(5);
    EXPECT_TRUE(playerMotion.playerAlive);
    physicsWorld.gControllerManager->getController()->setPosition({186.0 - 0.34, 1.05, 46.0});
    movePlayer(frameTime);
    EXPECT_FALSE(playerMotion.playerAlive);
}
