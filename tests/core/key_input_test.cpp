#include "game/input_state.h"
#include "game/key_input.h"
#include "input/gamepad_keys.h"
#include "input_events.h"
#include "physics/actor_tags.h"
#include "physics/player.h"

#include <btBulletCollisionCommon.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// Every test starts from the program's start values and leaves them behind.
class KeyInput : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        input = InputState{};
        playerMotion = PlayerMotion{};
    }

    InputEffects key(Key code, KeyAction action) { return hearKey(code, action, log); }
    InputEffects tap(Key code)
    {
        key(code, KeyAction::press);
        key(code, KeyAction::repeat);
        return key(code, KeyAction::release);
    }

    std::ostringstream log;
};

} // namespace

TEST_F(KeyInput, EachKeyActsOnReleaseOnlyAndTheSwitchesPrintTheirLines)
{
    const struct {
        Key key;
        bool* toggle;
        const char* lines; // printed by two taps
        bool polygonMode;
        bool faceCulling;
    } bindings[] = {
        {Key::f2, &input.debugText, "Debug: 1\nDebug: 0\n", false, false},
        {Key::f3, &input.wireframe, "Wireframe: 1\nWireframe: 0\n", true, false},
        {Key::f4, &input.outlines, "Outlines: 0\nOutlines: 1\n", false, false},
        {Key::f5, &input.toon, "Toon: 0\nToon: 1\n", false, false},
        {Key::f6, &input.backfaceCulling, "Backface Culling: 0\nBackface Culling: 1\n", false,
         true},
        {Key::f8, &input.frustumCulling, "View Frustum Culling: 0\nView Frustum Culling: 1\n",
         false, false},
        {Key::m, &input.sound, "Sound: 0\nSound: 1\n", false, false},
        {Key::tab, &input.followCamera, "", false, false},
        {Key::g, &input.ghost, "Ghost: 0\nGhost: 1\n", false, false},
        {Key::p, &input.paused, "Pause: 1\nPause: 0\n", false, false},
    };
    for (const auto& b : bindings) {
        SCOPED_TRACE(b.lines);
        log.str("");
        const bool before = *b.toggle;
        key(b.key, KeyAction::press);
        key(b.key, KeyAction::repeat);
        EXPECT_EQ(*b.toggle, before) << "holding does nothing";
        const InputEffects first = key(b.key, KeyAction::release);
        EXPECT_EQ(*b.toggle, !before);
        EXPECT_EQ(first.polygonModeChanged, b.polygonMode);
        EXPECT_EQ(first.faceCullingChanged, b.faceCulling);
        tap(b.key);
        EXPECT_EQ(*b.toggle, before);
        EXPECT_EQ(log.str(), b.lines);
    }
    log.str("");
    EXPECT_FALSE(key(Key::escape, KeyAction::press).closeWindow);
    EXPECT_TRUE(key(Key::escape, KeyAction::release).closeWindow);
    key(Key::f11, KeyAction::press);
    EXPECT_FALSE(input.restartRequested);
    key(Key::f11, KeyAction::release);
    EXPECT_TRUE(input.restartRequested);
    EXPECT_FALSE(key(Key::f12, KeyAction::press).screenshotRequested);
    EXPECT_TRUE(key(Key::f12, KeyAction::release).screenshotRequested);
    EXPECT_FALSE(tap(Key::f7).closeWindow); // a key with no switch
    EXPECT_EQ(log.str(), "");
    hear(InputEvent::buttonEvent(MouseButton::left, KeyAction::press)); // for the orbit camera
    EXPECT_TRUE(input.leftMouseDown);
    hear(InputEvent::scrollEvent(-2.0)); // the wheel towards the user moves it away
    EXPECT_EQ(input.orbitZoom, 13.0f);
    // A pass's events apply in their order, and their effects gather: F3 twice in one pass
    // prints two lines and leaves wireframe off, still asking for the polygon mode.
    log.str("");
    const InputEvent f3 = InputEvent::keyEvent(Key::f3, KeyAction::release);
    const InputEvent escape = InputEvent::keyEvent(Key::escape, KeyAction::release);
    const std::vector<InputEvent> pass = {f3, escape, f3};
    const InputEffects effects = applyInputEvents(pass, log);
    EXPECT_TRUE(effects.polygonModeChanged && effects.closeWindow);
    EXPECT_FALSE(effects.faceCullingChanged || effects.screenshotRequested);
    EXPECT_FALSE(input.wireframe);
    EXPECT_EQ(log.str(), "Wireframe: 1\nWireframe: 0\n");
}

TEST_F(KeyInput, MovementFollowsTheHeldSidewaysKeysAndTheLatestEvent)
{
    key(Key::a, KeyAction::press);
    key(Key::d, KeyAction::press);
    EXPECT_EQ(playerMotion.playerSpeedZ, 10.0f);
    key(Key::a, KeyAction::repeat);
    EXPECT_EQ(playerMotion.playerSpeedZ, -10.0f); // both held: the latest event wins
    key(Key::a, KeyAction::release);
    EXPECT_EQ(playerMotion.playerSpeedZ, 10.0f);
    key(Key::d, KeyAction::release);
    EXPECT_EQ(playerMotion.playerSpeedZ, 0.0f);
    key(Key::w, KeyAction::press);
    key(Key::s, KeyAction::press);
    EXPECT_EQ(playerMotion.playerSpeedX, -10.0f);
    key(Key::s, KeyAction::release);
    // Forward keeps no held keys: W is down, yet the player stops.
    EXPECT_EQ(playerMotion.playerSpeedX, 0.0f);
}

TEST_F(KeyInput, SpaceJumpsTwiceBeforeLandingAndNotWithinAFifthOfASecond)
{
    PlayerHitCallback report;
    tap(Key::space);
    EXPECT_EQ(playerMotion.playerSpeedY, 0.0f); // the jump timer starts at 0
    // The wait since the last jump, and whether the next try jumps: 0.1 s is too soon, and
    // a third jump before landing is refused.
    for (const auto& [wait, jumps] : {std::pair{0.2f, true}, std::pair{0.1f, false},
                                      std::pair{0.15f, true}, std::pair{0.25f, false}}) {
        report.updateMotion(wait);
        key(Key::space, KeyAction::release); // a release tries too
        EXPECT_EQ(playerMotion.playerSpeedY == 16.0f, jumps) << wait;
    }
    ShapeHit hit;
    btCollisionObject ground;
    ground.setUserPointer(const_cast<char*>(groundTag));
    hit.actor = &ground;
    report.onShapeHit(hit); // landing gives two jumps again, not three
    EXPECT_EQ(playerMotion.jumpsLeft, 2);
}

// The window losing the focus pauses as P does, once: a second loss while paused prints
// nothing, and only P resumes. In the pause the held directions are followed, so W let go
// there does not run on after it, but a jump or a dash would wait unseen, so none is taken.
TEST_F(KeyInput, LosingTheFocusPausesAndAPauseTakesNoJump)
{
    const InputEvent focusLost = InputEvent::focusLostEvent();
    key(Key::w, KeyAction::press);
    applyInputEvents({&focusLost, 1}, log);
    applyInputEvents({&focusLost, 1}, log);
    EXPECT_TRUE(input.paused);
    key(Key::w, KeyAction::release);
    EXPECT_EQ(playerMotion.playerSpeedX, 0.0f);
    const PlayerMotion before = playerMotion;
    tap(Key::space);
    tap(Key::v);
    tap(Key::k);
    EXPECT_EQ(playerMotion.playerSpeedY, before.playerSpeedY);
    EXPECT_EQ(playerMotion.jumpsLeft, before.jumpsLeft);
    EXPECT_EQ(playerMotion.playerSpeedX, 0.0f);
    tap(Key::p);
    EXPECT_EQ(log.str(), "Pause: 1\nPause: 0\n");
    key(Key::k, KeyAction::press);
    EXPECT_EQ(playerMotion.playerSpeedX, 30.0f); // resumed, a dash is taken again
}

// Pass by pass, a pad's state and the key events it stands for, as the keyboard would make them.
TEST(GamepadKeys, ThePadPressesAndReleasesTheKeysAKeyboardWould)
{
    using enum Key;
    constexpr KeyAction down = KeyAction::press;
    constexpr KeyAction up = KeyAction::release;
    const auto pad = [](float x, float y, bool dpadRight = false, bool jump = false,
                        bool start = false, bool back = false, bool restart = false) {
        return PadState{true, jump, start, back, false, false, false, dpadRight, x, y, restart};
    };
    const PadState back = pad(0, 0, false, false, false, true);
    const struct {
        PadState state;
        std::vector<PadKeyEvent> events;
        float dt = 0.25f;
    } passes[] = {
        {pad(0, -0.2f), {}},                   // inside the dead zone
        {pad(0, -0.8f), {{w, down}}},          // forward
        {pad(0, -0.3f), {}},                   // easing back does not flicker the run
        {pad(0, 0.8f), {{w, up}, {s, down}}},  // swung back: the release comes first
        {pad(-0.5f, 0), {{s, up}, {a, down}}}, // left
        {pad(-0.5f, 0, true), {{d, down}}},    // and the d-pad right
        {pad(0, 0), {{a, up}, {d, up}}},
        {pad(0, 0, false, true), {{space, down}}},
        {pad(0, 0), {{space, up}}},                                  // A jumps on both, like Space
        {pad(0, 0, false, false, true), {{p, down}}},                // Start pauses
        {pad(0, 0, false, false, true, false, true), {{f11, down}}}, // and Y restarts
        {pad(0, 0), {{p, up}, {f11, up}}},
        {back, {}}, // Back counts from here: brushed for half a second, it quits nothing
        {back, {}, 0.5f},
        {pad(0, 0), {}},
        {back, {}},
        {back, {}, 0.75f},
        {back, {{escape, down}, {escape, up}}}, // held a second: Escape, once
        {back, {}},
        {pad(0, -1, false, true), {{w, down}, {space, down}}},
        {PadState{}, {{w, up}}}, // pulled out: the run stops, A is forgotten
        {pad(0, 0), {}},
    };
    GamepadKeys keys;
    for (std::size_t i = 0; i < std::size(passes); ++i) {
        const PadKeyEvents made = keys.translate(passes[i].state, passes[i].dt);
        EXPECT_EQ(std::vector<PadKeyEvent>(made.begin(), made.end()), passes[i].events) << i;
    }
}

// Both sources holding one direction: the player stops only when both have let go.
TEST_F(KeyInput, TheKeyboardAndAPadLetGoOfADirectionTogether)
{
    key(Key::w, KeyAction::press);
    hearKey(Key::w, KeyAction::press, log, KeySource::pad);
    hearKey(Key::w, KeyAction::release, log, KeySource::pad); // the stick let go first
    EXPECT_EQ(playerMotion.playerSpeedX, 10.0f);
    key(Key::w, KeyAction::release);
    EXPECT_EQ(playerMotion.playerSpeedX, 0.0f);
}
