#include "physics/actor_tags.h"
#include "physics/player.h"

#include <GLFW/glfw3.h>
#include <btBulletCollisionCommon.h>
#include <gtest/gtest.h>

namespace {

class PlayerInput : public ::testing::Test {
  protected:
    void SetUp() override
    {
        playerSpeedX = playerSpeedY = playerSpeedZ = 0.0f;
        timeSinceJump = 0.0f;
        jumpsLeft = 2;
        leftHeld = rightHeld = false;
        playerAlive = true;
        pizzaReached = false;
    }

    static void press(int key) { handleMovementInput(key, GLFW_PRESS); }
    static void release(int key) { handleMovementInput(key, GLFW_RELEASE); }

    PlayerHitCallback report;
};

} // namespace

TEST_F(PlayerInput, SidewaysSpeedFollowsTheHeldKeysAndTheLaterPress)
{
    press(GLFW_KEY_A);
    EXPECT_EQ(playerSpeedZ, -10.0f);
    press(GLFW_KEY_D);
    EXPECT_EQ(playerSpeedZ, 10.0f);
    handleMovementInput(GLFW_KEY_A, GLFW_REPEAT);
    EXPECT_EQ(playerSpeedZ, -10.0f); // both held: the latest event wins
    release(GLFW_KEY_A);
    EXPECT_EQ(playerSpeedZ, 10.0f);
    press(GLFW_KEY_A);
    release(GLFW_KEY_D);
    EXPECT_EQ(playerSpeedZ, -10.0f);
    release(GLFW_KEY_A);
    EXPECT_EQ(playerSpeedZ, 0.0f);
    EXPECT_FALSE(leftHeld || rightHeld);
}

TEST_F(PlayerInput, ForwardSpeedKeepsNoHeldKeys)
{
    press(GLFW_KEY_W);
    EXPECT_EQ(playerSpeedX, 10.0f);
    press(GLFW_KEY_S);
    EXPECT_EQ(playerSpeedX, -10.0f);
    release(GLFW_KEY_S);
    EXPECT_EQ(playerSpeedX, 0.0f); // W is still down, yet the player stops
    press(GLFW_KEY_K);
    EXPECT_EQ(playerSpeedX, 30.0f);
    release(GLFW_KEY_K);
    EXPECT_EQ(playerSpeedX, 30.0f);
    press(GLFW_KEY_W);
    EXPECT_EQ(playerSpeedX, 10.0f);
}

TEST_F(PlayerInput, SpaceJumpsTwiceAtMostAndNotWithinAFifthOfASecond)
{
    press(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 2); // the jump timer starts at 0
    EXPECT_EQ(playerSpeedY, 0.0f);

    report.updateMotion(0.2f);
    press(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 1);
    EXPECT_EQ(playerSpeedY, 16.0f);
    EXPECT_EQ(timeSinceJump, 0.0f);
    release(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 1);

    report.updateMotion(0.25f);
    release(GLFW_KEY_SPACE); // a release tries too
    EXPECT_EQ(jumpsLeft, 0);
    report.updateMotion(0.25f);
    press(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 0);
    EXPECT_LT(playerSpeedY, 16.0f);

    press(GLFW_KEY_V);
    release(GLFW_KEY_V);
    EXPECT_EQ(jumpsLeft, -2);
    EXPECT_EQ(playerSpeedY, 16.0f);
}

TEST_F(PlayerInput, ContactsAreJudgedByTheIdentityOfTheTag)
{
    btCollisionObject object;
    ShapeHit hit;
    hit.actor = &object;

    static const char lookalike[] = "kill";
    object.setUserPointer(const_cast<char*>(lookalike));
    playerSpeedY = -5.0f;
    report.onShapeHit(hit);
    EXPECT_TRUE(playerAlive);
    EXPECT_EQ(playerSpeedY, -5.0f);

    object.setUserPointer(nullptr);
    jumpsLeft = 0;
    report.onShapeHit(hit);
    EXPECT_EQ(jumpsLeft, 0);
    EXPECT_EQ(playerSpeedY, -5.0f);

    object.setUserPointer(const_cast<char*>(groundTag));
    report.onShapeHit(hit);
    EXPECT_EQ(jumpsLeft, 2);
    EXPECT_EQ(playerSpeedY, 0.0f);

    playerSpeedY = -5.0f;
    object.setUserPointer(const_cast<char*>(pizzaTag));
    report.onShapeHit(hit);
    EXPECT_TRUE(pizzaReached);
    EXPECT_EQ(playerSpeedY, 0.0f);

    playerSpeedY = -5.0f;
    object.setUserPointer(const_cast<char*>(killTag));
    report.onShapeHit(hit);
    EXPECT_FALSE(playerAlive);
    EXPECT_EQ(playerSpeedY, 0.0f);
}
