#include "game/best_score.h"
#include "game/camera_follow.h"
#include "game/game_state.h"
#include "game/input_state.h"
#include "game/key_input.h"
#include "game/scene_cameras.h"
#include "game/settings.h"
#include "physics/actor_tags.h"
#include "render/player_camera.h"

#include "playing_kitchen.h"
#include "support/temp_dir.h"

#include <btBulletCollisionCommon.h>
#include <glm/trigonometric.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

// The attempt's rules in the game's frame order, in the kitchen's physics world; contacts
// come straight from the contact report.
class Attempts : public PlayingKitchen {
  protected:
    void TearDown() override
    {
        PlayingKitchen::TearDown();
        outcome = AttemptOutcome{};
        input.restartRequested = false;
    }

    static void touch(const char* tag)
    {
        btCollisionObject object;
        object.setUserPointer(const_cast<char*>(tag));
        ShapeHit hit;
        hit.actor = &object;
        PlayerHitCallback().onShapeHit(hit);
    }

    void frame(float dt)
    {
        if (advancePlayTime(attempt, dt)) {
            followPlayer(camera, foot);
        }
        // The caller keeps the files: a new best the rules report is saved at once.
        if (const OutcomeChange change = updateOutcome(attempt, dt, foot, camera, best.value);
            change.newBest) {
            best.save(*change.newBest);
        }
        restartIfRequested(attempt);
    }

    TempDir folder;
    BestScore best{folder / "score.txt"};
    Attempt attempt{best.value};
    PlayerCamera camera = startPlayerCamera(Settings{});
};

} // namespace

TEST_F(Attempts, DeathStopsTheClockAndTheCameraAndAKillWithThePizzaStillScores)
{
    touch(killTag);
    frame(0.5f);
    EXPECT_TRUE(outcome.dead && !outcome.won && !outcome.timeUp &&
                playerMotion.playerAlive); // the contact flag is re-armed
    const glm::vec3 eye = camera.getPosition();
    foot.x += 20.0;
    frame(0.5f);
    EXPECT_FLOAT_EQ(attempt.playTime, 0.5f);
    EXPECT_EQ(camera.getPosition(), eye);

    outcome.dead = false;
    attempt.playTime = 37.8f;
    touch(killTag);
    touch(pizzaTag);
    frame(0.0f);
    EXPECT_TRUE(outcome.dead && outcome.won && !playerMotion.pizzaReached);
    EXPECT_EQ(attempt.bestShown, 82);
    EXPECT_EQ(folder.read("score.txt"), "82");
}

// The first frame past 119 s ends the attempt: the timeup route plays that to the frame.
TEST_F(Attempts, ThePizzaInTheFrameTheTimeRunsOutScoresZeroAndAStallStopsAtZero)
{
    attempt.playTime = 119.5f;
    touch(pizzaTag);
    frame(0.6f);
    EXPECT_TRUE(outcome.won && outcome.timeUp);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt")); // 0 never beats 0
    EXPECT_EQ(secondsLeftAfter(121.5f), 0);
}

TEST_F(Attempts, AWinCirclesTheCameraAndWritesOnlyABetterBestOnce)
{
    folder.write("score.txt", "57");
    best = BestScore(folder / "score.txt");
    attempt.playTime = 59.5f;
    touch(pizzaTag);
    frame(0.1f);
    EXPECT_EQ(folder.read("score.txt"), "60");
    EXPECT_EQ(attempt.bestShown, 60);
    // The circle starts behind the player (180 degrees) and turns 15 degrees a second, 7 out
    // and 4 up, looking at the foot.
    const double radians = glm::radians(181.5);
    const glm::dvec3 eye = foot + glm::dvec3(7.0 * std::cos(radians), 4.0, 7.0 * std::sin(radians));
    EXPECT_NEAR(glm::distance(glm::dvec3(camera.getPosition()), eye), 0.0, 1e-4);
    EXPECT_EQ(camera.getTarget(), glm::vec3(foot));
    folder.write("score.txt", "written elsewhere"); // the score is frozen: no second write
    frame(0.1f);
    EXPECT_EQ(folder.read("score.txt"), "written elsewhere");
}

TEST_F(Attempts, F11RestartsTheAttemptAndLeavesSpeedsKnivesTimersAndTheBestAlone)
{
    hearKey(Key::w, KeyAction::press);
    playFrames(90);
    attempt.playTime = 30.0f;
    touch(pizzaTag);
    touch(killTag);
    frame(0.0f);
    ASSERT_TRUE(outcome.won && outcome.dead);
    const glm::vec3 knife = knives[0]->getGlobalPose().position;
    const float knivesTimer = obstacles.knifeTimer;

    hearKey(Key::f11, KeyAction::release);
    EXPECT_TRUE(restartIfRequested(attempt));
    EXPECT_FALSE(restartIfRequested(attempt)); // served once
    EXPECT_FALSE(outcome.dead || outcome.won || outcome.timeUp || playerMotion.pizzaReached ||
                 !playerMotion.playerAlive);
    EXPECT_EQ(attempt.secondsLeft(), 120);
    EXPECT_EQ(attempt.orbitAngle, victoryCameraStartAngle);
    EXPECT_EQ(physicsWorld.gControllerManager->getController()->getPosition(),
              glm::dvec3(0.0, 20.0, 0.0));
    EXPECT_EQ(playerMotion.playerSpeedX, 10.0f); // W is still held
    EXPECT_EQ(knives[0]->getGlobalPose().position, knife);
    EXPECT_EQ(obstacles.knifeTimer, knivesTimer);

    attempt.playTime = 50.0f; // a lower win leaves the higher best where it is
    touch(pizzaTag);
    frame(0.0f);
    EXPECT_EQ(folder.read("score.txt"), "90");
    EXPECT_EQ(attempt.bestShown, 90);
}
