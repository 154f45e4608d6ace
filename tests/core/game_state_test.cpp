#include "app/best_score.h"
#include "app/camera_follow.h"
#include "app/game_state.h"
#include "app/input_state.h"
#include "app/key_input.h"
#include "physics/actor_tags.h"
#include "physics/player.h"
#include "render/player_camera.h"

#include "playing_kitchen.h"
#include "support/temp_dir.h"

#include <GLFW/glfw3.h>
#include <btBulletCollisionCommon.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

PlayerCamera gameCamera()
{
    return PlayerCamera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 4.0f / 3.0f, 0.1f, 100.0f);
}

// A contact of the player's capsule with an actor of this tag, as a move reports it.
void touch(const char* tag)
{
    btCollisionObject object;
    object.setUserPointer(const_cast<char*>(tag));
    ShapeHit hit;
    hit.actor = &object;
    PlayerHitCallback report;
    report.onShapeHit(hit);
}

void resetAttemptFlags()
{
    dead = won = timeUp = false;
    restartRequested = false;
    playerAlive = true;
    pizzaReached = false;
}

// The attempt's rules without a physics world: contacts come straight from the contact report.
class Outcome : public ::testing::Test {
  protected:
    void SetUp() override { resetAttemptFlags(); }
    void TearDown() override { resetAttemptFlags(); }

    void frame(float dt)
    {
        if (advancePlayTime(attempt, dt)) {
            followPlayer(camera, foot);
        }
        updateOutcome(attempt, dt, foot, camera, best);
    }

    TempDir folder;
    BestScore best{folder / "score.txt"};
    Attempt attempt{best.value};
    PlayerCamera camera = gameCamera();
    glm::dvec3 foot{100.0, 2.0, 10.0};
};

} // namespace

TEST_F(Outcome, ContactFlagsBecomeOutcomeFlagsAndAreRearmed)
{
    touch(killTag);
    frame(0.5f);
    EXPECT_TRUE(dead);
    EXPECT_FALSE(won || timeUp);
    EXPECT_TRUE(playerAlive);
    EXPECT_FLOAT_EQ(attempt.playTime, 0.5f);
    // Dead: the clock stops and the camera stays.
    const glm::vec3 eye = camera.getPosition();
    foot = {120.0, 2.0, 10.0};
    frame(0.5f);
    EXPECT_FLOAT_EQ(attempt.playTime, 0.5f);
    EXPECT_EQ(camera.getPosition(), eye);
}

TEST_F(Outcome, KillAndPizzaInOneFrameSetBothAndTheWinStillScores)
{
    attempt.playTime = 37.8f;
    touch(killTag);
    touch(pizzaTag);
    frame(0.0f);
    EXPECT_TRUE(dead);
    EXPECT_TRUE(won);
    EXPECT_FALSE(pizzaReached);
    EXPECT_EQ(attempt.secondsLeft(), 82);
    EXPECT_EQ(best.value, 82);
    EXPECT_EQ(attempt.bestShown, 82);
    EXPECT_EQ(folder.read("score.txt"), "82");
}

TEST_F(Outcome, PizzaInTheFrameTimeRunsOutScoresZero)
{
    attempt.playTime = 119.5f;
    touch(pizzaTag);
    frame(0.6f);
    EXPECT_TRUE(won);
    EXPECT_TRUE(timeUp);
    EXPECT_EQ(attempt.secondsLeft(), 0);
    EXPECT_EQ(attempt.bestShown, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt")); // 0 never beats 0
}

TEST_F(Outcome, TimeRunsOutInTheFirstFramePast119Seconds)
{
    attempt.playTime = 118.75f;
    frame(0.25f);
    EXPECT_EQ(attempt.secondsLeft(), 1);
    EXPECT_FALSE(timeUp);
    frame(0.001f);
    EXPECT_EQ(attempt.secondsLeft(), 0);
    EXPECT_TRUE(timeUp);
    const float stopped = attempt.playTime;
    frame(0.5f);
    EXPECT_EQ(attempt.playTime, stopped);
}

TEST_F(Outcome, AStallOfMoreThanTwoSecondsPastTheEndStillEndsTheAttempt)
{
    attempt.playTime = 118.5f;
    frame(3.0f); // 121.5 s: 120 - 121.5 truncates to -1, not 0
    EXPECT_TRUE(timeUp);
    EXPECT_EQ(attempt.secondsLeft(), 0);
    EXPECT_EQ(secondsLeftAfter(1.0e9f), 0);
    EXPECT_EQ(secondsLeftAfter(0.0f), 120);
}

TEST_F(Outcome, AWinCirclesTheCameraAndWritesABetterBestOnce)
{
    folder.write("score.txt", "57");
    best = BestScore(folder / "score.txt");
    attempt = Attempt(best.value);
    EXPECT_EQ(attempt.bestShown, 57);
    attempt.playTime = 59.5f;

    touch(pizzaTag);
    frame(0.1f);
    EXPECT_TRUE(won);
    EXPECT_EQ(folder.read("score.txt"), "60");
    EXPECT_EQ(attempt.bestShown, 60);
    EXPECT_FLOAT_EQ(attempt.orbitAngle, 181.5f);
    const glm::vec3 expectedEye = [&] {
        PlayerCamera reference = gameCamera();
        circlePlayer(reference, foot, 181.5f);
        return reference.getPosition();
    }();
    EXPECT_EQ(camera.getPosition(), expectedEye);
    EXPECT_EQ(camera.getTarget(), glm::vec3(foot));

    // The score is frozen with the clock, so later frames do not write again.
    folder.write("score.txt", "written elsewhere");
    frame(0.1f);
    frame(0.1f);
    EXPECT_EQ(folder.read("score.txt"), "written elsewhere");
    EXPECT_FLOAT_EQ(attempt.playTime, 59.6f);
    EXPECT_NEAR(attempt.orbitAngle, 184.5f, 1e-4f);
}

TEST_F(Outcome, AWinThatDoesNotBeatTheBestWritesNothing)
{
    folder.write("score.txt", "60\nmy best");
    best = BestScore(folder / "score.txt");
    attempt = Attempt(best.value);
    attempt.playTime = 59.5f; // 60 left: equal
    touch(pizzaTag);
    frame(0.1f);
    EXPECT_TRUE(won);
    EXPECT_EQ(folder.read("score.txt"), "60\nmy best");
    EXPECT_EQ(attempt.bestShown, 60);
}

TEST_F(Outcome, ABestThatCannotBeWrittenIsStillShown)
{
    BestScore unwritable(folder / "no such folder" / "score.txt");
    touch(pizzaTag);
    attempt.playTime = 20.0f;
    updateOutcome(attempt, 0.0f, foot, camera, unwritable);
    EXPECT_EQ(unwritable.value, 100);
    EXPECT_EQ(attempt.bestShown, 100);
}

namespace {

// The attempt played in the kitchen's physics world, one frame at a time in the game's order.
class AttemptInKitchen : public PlayingKitchen {
  protected:
    void SetUp() override
    {
        resetAttemptFlags();
        PlayingKitchen::SetUp();
    }
    void TearDown() override
    {
        PlayingKitchen::TearDown();
        resetAttemptFlags();
    }

    void gameFrame()
    {
        if (withObstacles) {
            updateObstacles();
            advanceObstacleTimers(frameTime);
        }
        stepPhysics();
        if (advancePlayTime(attempt, frameTime)) {
            foot = movePlayer(frameTime);
            followPlayer(camera, foot);
        }
        const glm::dvec3 now = gControllerManager->getController(0)->getFootPosition();
        updateOutcome(attempt, frameTime, now, camera, best);
        restartIfRequested(attempt);
    }

    TempDir folder;
    BestScore best{folder / "score.txt"};
    Attempt attempt{best.value};
    PlayerCamera camera = gameCamera();
};

} // namespace

TEST_F(AttemptInKitchen, ReachingThePizzaWinsAndTheCameraCirclesThePlayer)
{
    withObstacles = false;
    takeKnivesAway();
    playFrames(120); // the pizza settles on its table
    placePlayer({332.0, 1.1, 23.0});
    press(GLFW_KEY_W);
    for (int frame = 0; frame < 60 && !won; ++frame) {
        gameFrame();
    }
    ASSERT_TRUE(won);
    EXPECT_FALSE(dead || timeUp);
    const int score = attempt.secondsLeft();
    EXPECT_EQ(score, 119);
    EXPECT_EQ(folder.read("score.txt"), "119");
    // The player stays where it touched the pizza; the camera circles it 7 out and 4 up.
    const glm::dvec3 stop = gControllerManager->getController(0)->getFootPosition();
    for (int frame = 0; frame < 30; ++frame) {
        gameFrame();
    }
    EXPECT_EQ(gControllerManager->getController(0)->getFootPosition(), stop);
    EXPECT_EQ(camera.getTarget(), glm::vec3(stop));
    const glm::vec3 offset = camera.getPosition() - glm::vec3(stop);
    EXPECT_NEAR(offset.y, 4.0f, 1e-4f);
    EXPECT_NEAR(std::hypot(offset.x, offset.z), 7.0f, 1e-4f);
    EXPECT_EQ(attempt.secondsLeft(), score);
}

TEST_F(AttemptInKitchen, F11RestartsAndLeavesSpeedsKnivesTimersAndTheBestAlone)
{
    std::ostringstream log;
    handleKeyEvent(GLFW_KEY_W, GLFW_PRESS, log);
    for (int frame = 0; frame < 90; ++frame) {
        gameFrame();
    }
    touch(killTag);
    gameFrame();
    ASSERT_TRUE(dead);
    touch(pizzaTag);
    best.save(33);
    attempt.bestShown = 33;
    attempt.orbitAngle = 250.0f;

    std::array<Pose, 6> knifePoses;
    for (std::size_t i = 0; i < knives.size(); ++i) {
        knifePoses[i] = knives[i]->getGlobalPose();
    }
    const float knivesTimer = knifeTimer;
    const float hopTimer = hazardTimer;

    handleKeyEvent(GLFW_KEY_F11, GLFW_PRESS, log);
    EXPECT_FALSE(restartRequested);
    handleKeyEvent(GLFW_KEY_F11, GLFW_RELEASE, log);
    ASSERT_TRUE(restartRequested);
    EXPECT_TRUE(restartIfRequested(attempt));

    EXPECT_FALSE(restartRequested || dead || won || timeUp);
    EXPECT_TRUE(playerAlive);
    EXPECT_FALSE(pizzaReached);
    EXPECT_EQ(attempt.playTime, 0.0f);
    EXPECT_EQ(attempt.orbitAngle, 180.0f);
    EXPECT_EQ(attempt.secondsLeft(), 120);
    EXPECT_EQ(gControllerManager->getController(0)->getPosition(), glm::dvec3(0.0, 20.0, 0.0));
    EXPECT_EQ(playerSpeedX, 10.0f); // W is still held
    for (std::size_t i = 0; i < knives.size(); ++i) {
        EXPECT_EQ(knives[i]->getGlobalPose().position, knifePoses[i].position);
    }
    EXPECT_EQ(knifeTimer, knivesTimer);
    EXPECT_EQ(hazardTimer, hopTimer);
    EXPECT_EQ(best.value, 33);
    EXPECT_EQ(attempt.bestShown, 33);
    EXPECT_FALSE(restartIfRequested(attempt)); // served once
    EXPECT_EQ(log.str(), "");
}

TEST_F(AttemptInKitchen, AHigherBestSurvivesARestartAndALowerWin)
{
    attempt.playTime = 30.0f;
    touch(pizzaTag);
    gameFrame();
    ASSERT_TRUE(won);
    EXPECT_EQ(folder.read("score.txt"), "89");
    restartRequested = true;
    gameFrame();
    EXPECT_FALSE(won);
    attempt.playTime = 50.0f;
    touch(pizzaTag);
    gameFrame();
    EXPECT_TRUE(won);
    EXPECT_EQ(attempt.secondsLeft(), 69);
    EXPECT_EQ(folder.read("score.txt"), "89");
    EXPECT_EQ(attempt.bestShown, 89);
}
