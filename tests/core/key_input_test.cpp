#include "app/input_state.h"
#include "app/key_input.h"
#include "physics/player.h"

#include <GLFW/glfw3.h>
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
        debugText = false;
        wireframe = false;
        outlines = true;
        toon = true;
        backfaceCulling = true;
        frustumCulling = true;
        followCamera = true;
        restartRequested = false;
        leftMouseDown = false;
        rightMouseDown = false;
        orbitZoom = 12.0f;
        playerSpeedX = 0.0f;
        playerSpeedZ = 0.0f;
        leftHeld = false;
        rightHeld = false;
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

TEST_F(KeyInput, TwoPressReleasePairsOfF3LeaveWireframeOffAndPrintTwoLines)
{
    const KeyEffects first = tap(GLFW_KEY_F3);
    EXPECT_TRUE(first.polygonModeChanged);
    EXPECT_TRUE(wireframe);
    const KeyEffects second = tap(GLFW_KEY_F3);
    EXPECT_TRUE(second.polygonModeChanged);
    EXPECT_FALSE(wireframe);
    EXPECT_EQ(log.str(), "Wireframe: 1\nWireframe: 0\n");
}

TEST_F(KeyInput, HoldingF4DoesNothingUntilItIsReleased)
{
    key(GLFW_KEY_F4, GLFW_PRESS);
    for (int repeat = 0; repeat < 5; ++repeat) {
        key(GLFW_KEY_F4, GLFW_REPEAT);
    }
    EXPECT_TRUE(outlines);
    EXPECT_EQ(log.str(), "");
    key(GLFW_KEY_F4, GLFW_RELEASE);
    EXPECT_FALSE(outlines);
    EXPECT_EQ(log.str(), "Outlines: 0\n");
}

TEST_F(KeyInput, EachFunctionKeyFlipsItsSwitchAndPrintsItsLabel)
{
    tap(GLFW_KEY_F2);
    tap(GLFW_KEY_F5);
    const KeyEffects culling = tap(GLFW_KEY_F6);
    tap(GLFW_KEY_F8);
    EXPECT_TRUE(debugText);
    EXPECT_FALSE(toon);
    EXPECT_FALSE(backfaceCulling);
    EXPECT_TRUE(culling.faceCullingChanged);
    EXPECT_FALSE(culling.polygonModeChanged);
    EXPECT_FALSE(frustumCulling);
    EXPECT_EQ(log.str(), "Debug: 1\nToon: 0\nBackface Culling: 0\nView Frustum Culling: 0\n");
}

TEST_F(KeyInput, TabEscapeAndF11ActSilently)
{
    tap(GLFW_KEY_TAB);
    EXPECT_FALSE(followCamera);
    EXPECT_TRUE(tap(GLFW_KEY_ESCAPE).closeWindow);
    EXPECT_FALSE(key(GLFW_KEY_ESCAPE, GLFW_PRESS).closeWindow);
    tap(GLFW_KEY_F11);
    EXPECT_TRUE(restartRequested);
    EXPECT_EQ(log.str(), "");
}

TEST_F(KeyInput, OtherKeysChangeNoSwitch)
{
    for (int code : {GLFW_KEY_F1, GLFW_KEY_F7, GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_F12, GLFW_KEY_Q,
                     GLFW_KEY_ENTER}) {
        const KeyEffects effects = tap(code);
        EXPECT_FALSE(effects.closeWindow || effects.polygonModeChanged ||
                     effects.faceCullingChanged);
    }
    EXPECT_FALSE(debugText || wireframe || restartRequested);
    EXPECT_TRUE(outlines && toon && backfaceCulling && frustumCulling && followCamera);
    EXPECT_EQ(log.str(), "");
}

TEST_F(KeyInput, ReleasingDWhileAIsHeldMovesLeftAgain)
{
    key(GLFW_KEY_A, GLFW_PRESS);
    EXPECT_EQ(playerSpeedZ, -10.0f);
    key(GLFW_KEY_D, GLFW_PRESS);
    EXPECT_EQ(playerSpeedZ, 10.0f); // the latest press wins
    key(GLFW_KEY_D, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedZ, -10.0f);
    key(GLFW_KEY_A, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedZ, 0.0f);
}

TEST_F(KeyInput, TappingSWhileWIsHeldStopsForwardMotion)
{
    key(GLFW_KEY_W, GLFW_PRESS);
    key(GLFW_KEY_W, GLFW_REPEAT);
    EXPECT_EQ(playerSpeedX, 10.0f);
    key(GLFW_KEY_S, GLFW_PRESS);
    EXPECT_EQ(playerSpeedX, -10.0f);
    // W keeps no held flag: releasing S stops the player although W is still down (and a
    // held key's auto-repeat ended when S was pressed).
    key(GLFW_KEY_S, GLFW_RELEASE);
    EXPECT_EQ(playerSpeedX, 0.0f);
}

TEST_F(KeyInput, FunctionKeysStillReachTheMovementInput)
{
    key(GLFW_KEY_A, GLFW_PRESS);
    tap(GLFW_KEY_F4); // settles the sideways speed from the held flags like any key
    EXPECT_EQ(playerSpeedZ, -10.0f);
}

TEST(MouseInput, ButtonsAreTrackedAndOthersIgnored)
{
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS);
    EXPECT_TRUE(leftMouseDown);
    EXPECT_TRUE(rightMouseDown);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_MIDDLE, GLFW_RELEASE);
    EXPECT_TRUE(leftMouseDown && rightMouseDown);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    EXPECT_FALSE(leftMouseDown);
    EXPECT_TRUE(rightMouseDown);
    handleMouseButtonEvent(GLFW_MOUSE_BUTTON_RIGHT, GLFW_RELEASE);
    EXPECT_FALSE(rightMouseDown);
}

TEST(MouseInput, TheWheelChangesTheZoomWithoutLimits)
{
    const float saved = orbitZoom;
    orbitZoom = 12.0f;
    handleScrollEvent(2.0);
    EXPECT_EQ(orbitZoom, 11.0f);
    for (int notch = 0; notch < 30; ++notch) {
        handleScrollEvent(1.0);
    }
    EXPECT_EQ(orbitZoom, -4.0f);
    handleScrollEvent(-100.0);
    EXPECT_EQ(orbitZoom, 46.0f);
    orbitZoom = saved;
}
