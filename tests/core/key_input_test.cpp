#include "app/input_state.h"
#include "app/key_input.h"
#include "physics/actor_tags.h"
#include "physics/player.h"

#include <GLFW/glfw3.h>
#include <btBulletCollisionCommon.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every test starts from the program's start values and leaves them behind.
class KeyInput : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        debugText = wireframe = restartRequested = leftMouseDown = rightMouseDown = false;
        outlines = toon = backfaceCulling = frustumCulling = followCamera = true;
        orbitZoom = 12.0f;
        resetPlayerToProgramStart();
    }

    KeyEffects key(int code, int action) { return handleKeyEvent(code, action, log); }
    KeyEffects tap(int code)
    {
        key(code, GLFW_PRESS);
        return key(code, GLFW_RELEASE);
    }

    std::ostringstream log;
};

} // namespace

TEST_F(KeyInput, EachKeyActsOnReleaseOnlyAndTheSwitchesPrintTheirLines)
{
    const struct {
        int key;
        bool* toggle;
        const char* lines; // printed by two taps
        bool polygonMode;
        bool faceCulling;
    } bindings[] = {
        {GLFW_KEY_F2, &debugText, "Debug: 1\nDebug: 0\n", false, false},
        {GLFW_KEY_F3, &wireframe, "Wireframe: 1\nWireframe: 0\n", true, false},
        {GLFW_KEY_F4, &outlines, "Outlines: 0\nOutlines: 1\n", false, false},
        {GLFW_KEY_F5, &toon, "Toon: 0\nToon: 1\n", false, false},
        {GLFW_KEY_F6, &backfaceCulling, "Backface Culling: 0\nBackface Culling: 1\n", false, true},
        {GLFW_KEY_F8, &frustumCulling, "View Frustum Culling: 0\nView Frustum Culling: 1\n", false,
         false},
        {GLFW_KEY_TAB, &followCamera, "", false, false},
    };
    for (const auto& b : bindings) {
        SCOPED_TRACE(b.lines);
        log.str("");
        const bool before = *b.toggle;
        key(b.key, GLFW_PRESS);
        key(b.key, GLFW_REPEAT);
        EXPECT_EQ(*b.toggle, before) << "holding does nothing";
        const KeyEffects first = key(b.key, GLFW_RELEASE);
        EXPECT_EQ(*b.toggle, !before);
        EXPECT_EQ(first.polygonModeChanged, b.polygonMode);
        EXPECT_EQ(first.faceCullingChanged, b.faceCulling);
        tap(b.key);
        EXPECT_EQ(*b.toggle, before);
        EXPECT_EQ(log.str(), b.lines);
    }
    log.str("");
    EXPECT_FALSE(key(GLFW_KEY_ESCAPE, GLFW_PRESS).closeWindow);
    EXPECT_TRUE(key(GLFW_KEY_ESCAPE, GLFW_RELEASE).closeWindow);
    key(GLFW_KEY_F11, GLFW_PRESS);
    EXPECT_FALSE(restartRequested);
    key(GLFW_KEY_F11, GLFW_RELEASE);
    EXPECT_TRUE(restartRequested);
    restartRequested = false;
    for (int code :
         {GLFW_KEY_F1, GLFW_KEY_F7, GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_F12, GLFW_KEY_Q}) {
        const KeyEffects effects = tap(code);
        EXPECT_FALSE(effects.closeWindow || effects.polygonModeChanged || restartRequested);
    }
    EXPECT_FALSE(debugText || wireframe);
    EXPECT_TRUE(outlines && toon && backfaceCulling && frustumCulling && followCamera);
    EXPECT_EQ(log.str(), "");
}

TEST_F(KeyInput, MovementFollowsTheHeldSidewaysKeysAndTheLatestEvent)
{
    key(GLFW_KEY_A, GLFW_PRESS);
    key(GLFW_KEY_D, GLFW_PRESS);
    EXPECT_EQ(playerSpeedZ, 10.0f);
    key(GLFW_KEY_A, GLFW_REPEAT);
    EXPECT_EQ(playerSpeedZ, -10.0f); // both held: the latest event wins
    key(GLFW_KEY_A, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedZ, 10.0f);
    tap(GLFW_KEY_F4); // any key settles the sideways speed from the held keys
    EXPECT_EQ(playerSpeedZ, 10.0f);
    key(GLFW_KEY_D, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedZ, 0.0f);

    key(GLFW_KEY_W, GLFW_PRESS);
    EXPECT_EQ(playerSpeedX, 10.0f);
    key(GLFW_KEY_S, GLFW_PRESS);
    EXPECT_EQ(playerSpeedX, -10.0f);
    key(GLFW_KEY_S, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedX, 0.0f); // forward keeps no held keys: W is down, yet the player stops
}

TEST_F(KeyInput, SpaceJumpsTwiceBeforeLandingAndNotWithinAFifthOfASecond)
{
    PlayerHitCallback report;
    tap(GLFW_KEY_SPACE);
    EXPECT_EQ(playerSpeedY, 0.0f); // the jump timer starts at 0
    report.updateMotion(0.2f);
    key(GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_EQ(playerSpeedY, 16.0f);
    report.updateMotion(0.1f);
    key(GLFW_KEY_SPACE, GLFW_RELEASE); // too soon
    report.updateMotion(0.15f);
    key(GLFW_KEY_SPACE, GLFW_RELEASE); // a release tries too
    EXPECT_EQ(playerSpeedY, 16.0f);
    report.updateMotion(0.25f);
    tap(GLFW_KEY_SPACE);
    EXPECT_LT(playerSpeedY, 16.0f) << "a third jump before landing";

    // Landing is judged by the identity of the ground tag, not its text.
    btCollisionObject ground;
    static const char lookalike[] = "ground";
    ground.setUserPointer(const_cast<char*>(lookalike));
    ShapeHit hit;
    hit.actor = &ground;
    report.onShapeHit(hit);
    EXPECT_NE(playerSpeedY, 0.0f);
    ground.setUserPointer(const_cast<char*>(groundTag));
    report.onShapeHit(hit);
    EXPECT_EQ(playerSpeedY, 0.0f);
    for (int jump = 0; jump < 3; ++jump) {
        report.updateMotion(0.25f);
        tap(GLFW_KEY_SPACE);
    }
    EXPECT_LT(playerSpeedY, 16.0f) << "two jumps again, not three";
}

TEST_F(KeyInput, MouseButtonsAndTheWheelDriveTheOrbitCamera)
{
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    EXPECT_FALSE(leftMouseDown);
    EXPECT_TRUE(rightMouseDown);
    handleScrollEvent(2.0);
    handleScrollEvent(30.0); // no limits
    EXPECT_EQ(orbitZoom, -4.0f);
}
