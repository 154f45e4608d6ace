// The game's own player, made by createWorld with the game's settings, played through the
// kitchen one frame at a time.
#include "physics/actor_tags.h"
#include "physics/level_layout.h"

#include "playing_kitchen.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/quaternion.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class PlayerInKitchen : public PlayingKitchen {
  protected:
    void SetUp() override
    {
        PlayingKitchen::SetUp();
        withObstacles = false;
        takeKnivesAway();
    }

    // A "ground" box of the game's kind set down on the first run.
    void addGroundBox(const glm::vec3& halfExtents, const glm::vec3& centre,
                      const glm::quat& rotation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f))
    {
        PhysicsActor* box = physicsWorld.gPhysics->createRigidStatic({centre, rotation});
        box->attachShape(*physicsWorld.gPhysics->createBoxShape(halfExtents), Pose{});
        box->setMaterial(*physicsWorld.gMaterial);
        box->setTag(groundTag);
        box->addTo(*physicsWorld.gScene);
    }
};

TEST_F(PlayerInKitchen, OnlyTheSecondBookPileGivesTheJumpsBack)
{
    playerMotion.jumpsLeft = 0;
    placePlayer({61.7, 10.0, -5.0}, 60);
    EXPECT_NEAR(foot.y, 7.7005, 0.01);
    EXPECT_EQ(playerMotion.jumpsLeft, 0);
    EXPECT_LT(playerMotion.playerSpeedY, -30.0f); // resting on it does not stop the fall speed
    EXPECT_TRUE(playerMotion.playerAlive);

    placePlayer({323.05, 1.5, 31.45}, 60);
    EXPECT_NEAR(foot.y, -0.805, 0.01);
    EXPECT_EQ(playerMotion.jumpsLeft, 2);
    EXPECT_EQ(playerMotion.playerSpeedY, 0.0f);
}

TEST_F(PlayerInKitchen, TheBoundaryPlanesStopThePlayerAndDoNothingElse)
{
    const double gap = level::playerRadius + level::playerSkin;
    struct Case {
        glm::dvec3 start;
        Key key;
        int axis;
        double stop; // the plane's place, less the capsule's radius and skin
    };
    // The last one stands in the air past the end of table 2, beyond the table's edge.
    const Case cases[] = {{{-3.0, 1.1, 0.0}, Key::s, 0, -6.0 + gap},
                          {{0.0, 1.1, -3.0}, Key::a, 2, -6.0 + gap},
                          {{230.0, 1.1, 50.0}, Key::d, 2, 55.17 - gap},
                          {{346.0, 1.1, 35.0}, Key::w, 0, 350.81 - gap}};
    for (const Case& c : cases) {
        placePlayer(c.start);
        press(c.key);
        double farthest = foot[c.axis];
        for (int frame = 0; frame < 60; ++frame) {
            const double at = playFrame()[c.axis];
            farthest = c.stop > 0.0 ? std::max(farthest, at) : std::min(farthest, at);
        }
        release(c.key);
        EXPECT_NEAR(farthest, c.stop, 0.01) << c.start.x;
        EXPECT_TRUE(playerMotion.playerAlive) << c.start.x;
    }
}

TEST_F(PlayerInKitchen, BetweenTwoGroundContactsSpaceJumpsTwiceAndVAlways)
{
    playFrames(90);
    ASSERT_NEAR(foot.y, 0.0, 0.01);
    ASSERT_EQ(playerMotion.jumpsLeft, 2);

    press(Key::space);
    EXPECT_EQ(playerMotion.jumpsLeft, 1);
    playFrames(15);
    EXPECT_EQ(playerMotion.jumpsLeft, 1); // in the air, nothing gave it back
    release(Key::space);
    EXPECT_EQ(playerMotion.jumpsLeft, 0);
    EXPECT_EQ(playerMotion.playerSpeedY, 16.0f);
    playFrames(15);
    press(Key::space);
    EXPECT_EQ(playerMotion.jumpsLeft, 0);
    EXPECT_LT(playerMotion.playerSpeedY, 16.0f);
    press(Key::v);
    EXPECT_EQ(playerMotion.jumpsLeft, -1);
    EXPECT_EQ(playerMotion.playerSpeedY, 16.0f);

    playFrames(120);
    EXPECT_NEAR(foot.y, 0.0, 0.01);
    EXPECT_EQ(playerMotion.jumpsLeft, 2);
}

TEST_F(PlayerInKitchen, ASpaceJumpRisesAThirdMoreThanTheTextbookJump)
{
    playFrames(90);
    press(Key::space);
    double highest = 0.0;
    int airborne = 0;
    do {
        highest = std::max(highest, playFrame().y);
        ++airborne;
    } while (foot.y > 0.001 && airborne < 120);
    // Each move uses the speed from before the frame's gravity: 3.33 rather than 3.2.
    EXPECT_NEAR(highest, 3.33, 0.02);
    EXPECT_EQ(airborne, 49);
}

// Ledges just under and just over what the player steps up, and ramps either side of the
// steepest it walks up (45 degrees), each with its near edge 3 ahead on the first run. Its
// step offset is 0.26, but running in the easy climbing mode the capsule's round bottom rides
// up edges another 0.35 or so: 0.60 is climbed, 0.62 is not.
struct Climb {
    float ledge;   // height, or 0 for a ramp
    float degrees; // of the ramp
    bool climbs;
};

std::ostream& operator<<(std::ostream& out, const Climb& c)
{
    return out << (c.ledge > 0.0f ? "ledge " : "ramp ") << (c.ledge > 0.0f ? c.ledge : c.degrees);
}

class PlayerClimbing : public PlayerInKitchen, public testing::WithParamInterface<Climb> {};

TEST_P(PlayerClimbing, StepsUpLowLedgesAndWalksUpRampsNoSteeperThanFortyFive)
{
    const Climb c = GetParam();
    if (c.ledge > 0.0f) {
        addGroundBox({4.0f, c.ledge / 2.0f, 3.0f}, {7.0f, c.ledge / 2.0f, 0.0f});
    } else {
        const float angle = glm::radians(c.degrees);
        addGroundBox({4.0f, 0.5f, 3.0f},
                     {3.0f + 3.0f * std::cos(angle) + 0.5f * std::sin(angle),
                      3.0f * std::sin(angle) - 0.5f * std::cos(angle), 0.0f},
                     glm::angleAxis(angle, glm::vec3(0.0f, 0.0f, 1.0f)));
    }
    playFrames(90);
    ASSERT_NEAR(foot.y, 0.0, 0.01);
    press(Key::w);
    double highest = 0.0;
    for (int frame = 0; frame < 45; ++frame) {
        highest = std::max(highest, playFrame().y);
    }
    if (c.climbs) {
        EXPECT_GT(highest, c.ledge > 0.0f ? c.ledge - 0.01 : 2.0);
    } else {
        EXPECT_LT(highest, 0.01);
        EXPECT_LT(foot.x, 3.0); // held at the near edge
    }
}

INSTANTIATE_TEST_SUITE_P(LedgesAndRamps, PlayerClimbing,
                         testing::Values(Climb{0.58f, 0.0f, true}, Climb{0.64f, 0.0f, false},
                                         Climb{0.0f, 44.0f, true}, Climb{0.0f, 46.0f, false}));

// Sweeps that start inside a shape find nothing, so a capsule put partly inside a wall is
// pushed out before it moves.
TEST_F(PlayerInKitchen, PutPartlyInsideABlockThePlayerIsPushedOutToItsSkin)
{
    addGroundBox({1.0f, 1.0f, 1.0f}, {4.0f, 1.0f, 0.0f});
    playFrames(90);
    physicsWorld.gControllerManager->getController()->setPosition(
        {3.0 - level::playerRadius + 0.1, 1.05, 0.0});
    playFrames(2);
    EXPECT_NEAR(3.0 - (foot.x + level::playerRadius), level::playerSkin, 0.005);
    EXPECT_NEAR(foot.y, 0.0, 0.005);
}

} // namespace
