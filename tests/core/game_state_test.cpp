#include "app/best_score.h"
#include "app/camera_follow.h"
#include "app/game_state.h"
#include "app/input_state.h"
#include "app/key_input.h"
#include "physics/actor_tags.h"
#include "render/player_camera.h"

#include "playing_kitchen.h"
#include "support/temp_dir.h"

#include <btBulletCollisionCommon.h>
#include <glm/trigonometric.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

// A contact of the player's capsule with an actor of this tag, as a move reports it.
void touch(const char* tag)
{
    btCollisionObject object;
    object.setUserPointer(const_cast<char*>(tag));
    ShapeHit hit;
    hit.actor = &object;
    PlayerHitCallback().onShapeHit(hit);
}

// The attempt's rules in the game's frame order, with or without the kitchen's physics.
template <class Base> class AttemptTest : public Base {
  protected:
    void SetUp() override
    {
        dead = won = timeUp = restartRequested = pizzaReached = false;
        Base::SetUp();
    }
    void TearDown() override
    {
        Base::TearDown();
        dead = won = timeUp = restartRequested = pizzaReached = false;
        playerAlive = true;
    }

    void frame(float dt, const glm::dvec3& foot)
    {
        if (advancePlayTime(attempt, dt)) {
            followPlayer(camera, foot);
        }
        updateOutcome(attempt, dt, foot, camera, best);
        restartIfRequested(attempt);
    }

    void storeBest(const std::string& text)
    {
        folder.write("score.txt", text);
        best = BestScore(folder / "score.txt");
        attempt = Attempt(best.value);
    }

    TempDir folder;
    BestScore best{folder / "score.txt"};
    Attempt attempt{best.value};
    PlayerCamera camera{{-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 4.0f / 3.0f, 0.1f, 100.0f};
};

class Outcome : public AttemptTest<::testing::Test> {
  protected:
    void frame(float dt) { AttemptTest::frame(dt, foot); }
    glm::dvec3 foot{100.0, 2.0, 10.0};
};

} // namespace

TEST_F(Outcome, DeathStopsTheClockAndTheCameraAndAKillWithThePizzaStillScores)
{
    touch(killTag);
    frame(0.5f);
    EXPECT_TRUE(dead && !won && !timeUp && playerAlive); // the contact flag is re-armed
    const glm::vec3 eye = camera.getPosition();
    foot.x += 20.0;
    frame(0.5f);
    EXPECT_FLOAT_EQ(attempt.playTime, 0.5f);
    EXPECT_EQ(camera.getPosition(), eye);

    dead = false;
    attempt.playTime = 37.8f;
    touch(killTag);
    touch(pizzaTag);
    frame(0.0f);
    EXPECT_TRUE(dead && won && !pizzaReached);
    EXPECT_EQ(attempt.bestShown, 82);
    EXPECT_EQ(folder.read("score.txt"), "82");
}

TEST_F(Outcome, TimeRunsOutInTheFirstFramePast119SecondsEvenWithThePizza)
{
    attempt.playTime = 118.75f;
    frame(0.25f);
    EXPECT_EQ(attempt.secondsLeft(), 1);
    EXPECT_FALSE(timeUp);
    frame(0.001f);
    EXPECT_TRUE(timeUp);
    EXPECT_EQ(attempt.secondsLeft(), 0);

    // Reaching the pizza in the frame the time runs out scores 0, which never beats 0.
    timeUp = false;
    attempt.playTime = 119.5f;
    touch(pizzaTag);
    frame(0.6f);
    EXPECT_TRUE(won && timeUp);
    EXPECT_EQ(attempt.bestShown, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt"));
    EXPECT_EQ(secondsLeftAfter(121.5f), 0); // a stall past the end stops at 0, not below
}

TEST_F(Outcome, AWinCirclesTheCameraAndWritesOnlyABetterBestOnce)
{
    storeBest("60\nmy best");
    attempt.playTime = 59.5f; // 60 left: equal, nothing written
    touch(pizzaTag);
    frame(0.1f);
    EXPECT_TRUE(won);
    EXPECT_EQ(folder.read("score.txt"), "60\nmy best");

    storeBest("57");
    attempt.playTime = 59.5f;
    frame(0.1f);
    EXPECT_EQ(folder.read("score.txt"), "60");
    EXPECT_EQ(attempt.bestShown, 60);
    // The circle starts behind the player (180 degrees) and turns 15 degrees a second, 7 out
    // and 4 up, looking at the foot.
    const double radians = glm::radians(181.5);
    EXPECT_NEAR(camera.getPosition().x, 100.0 + 7.0 * std::cos(radians), 1e-4);
    EXPECT_NEAR(camera.getPosition().y, 6.0, 1e-4);
    EXPECT_NEAR(camera.getPosition().z, 10.0 + 7.0 * std::sin(radians), 1e-4);
    EXPECT_EQ(camera.getTarget(), glm::vec3(foot));
    // The score is frozen with the clock, so later frames do not write again.
    folder.write("score.txt", "written elsewhere");
    frame(0.1f);
    EXPECT_EQ(folder.read("score.txt"), "written elsewhere");
}

namespace {
using AttemptInKitchen = AttemptTest<PlayingKitchen>;
}

TEST_F(AttemptInKitchen, F11RestartsTheAttemptAndLeavesSpeedsKnivesTimersAndTheBestAlone)
{
    std::ostringstream log;
    handleKeyEvent(GLFW_KEY_W, GLFW_PRESS, log);
    playFrames(90);
    attempt.playTime = 30.0f;
    touch(pizzaTag);
    touch(killTag);
    frame(frameTime, foot);
    ASSERT_TRUE(won && dead);
    const glm::vec3 knife = knives[0]->getGlobalPose().position;
    const float knivesTimer = knifeTimer;

    handleKeyEvent(GLFW_KEY_F11, GLFW_PRESS, log);
    EXPECT_FALSE(restartRequested);
    handleKeyEvent(GLFW_KEY_F11, GLFW_RELEASE, log);
    EXPECT_TRUE(restartIfRequested(attempt));
    EXPECT_FALSE(restartIfRequested(attempt)); // served once
    EXPECT_FALSE(dead || won || timeUp || pizzaReached || !playerAlive);
    EXPECT_EQ(attempt.secondsLeft(), 120);
    EXPECT_EQ(attempt.orbitAngle, 180.0f);
    EXPECT_EQ(gControllerManager->getController(0)->getPosition(), glm::dvec3(0.0, 20.0, 0.0));
    EXPECT_EQ(playerSpeedX, 10.0f); // W is still held
    EXPECT_EQ(knives[0]->getGlobalPose().position, knife);
    EXPECT_EQ(knifeTimer, knivesTimer);
    EXPECT_EQ(log.str(), "");

    // A lower win after the restart leaves the higher best where it is.
    attempt.playTime = 50.0f;
    touch(pizzaTag);
    frame(frameTime, foot);
    EXPECT_EQ(attempt.secondsLeft(), 69);
    EXPECT_EQ(folder.read("score.txt"), "89");
    EXPECT_EQ(attempt.bestShown, 89);
}
