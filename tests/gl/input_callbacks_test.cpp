#include "input/input_callbacks.h"
#include "input/window_input.h"
#include "render/gl_state.h"
#include "runs/route_input.h"

#include <sstream>

#include "support/gl_context.h"

using InputCallbacks = GlTest;

// The window's callbacks turn its codes into the game's, and the pass takes what they heard in
// arrival order, once: a poll hears each event in one pass only. A key the game has no name for
// is not heard at all, since a run could not name it. The keyboard is heard through the
// player's keys (here forward on I), so the game and its runs hear W; the focus lost is heard
// by the player's window and not by a replay's.
TEST_F(InputCallbacks, TheWindowsEventsReachThePassInArrivalOrderOnce)
{
    std::ostringstream warnings;
    const KeyBindings forwardOnI = KeyBindings::fromNames({"I"}, warnings);
    WindowInput window(context->window(), nullptr, forwardOnI);
    keyCallback(context->window(), GLFW_KEY_F3, 0, GLFW_RELEASE, 0);
    scrollCallback(context->window(), 0.0, -1.5);
    keyCallback(context->window(), GLFW_KEY_KP_1, 0, GLFW_REPEAT, 0);
    keyCallback(context->window(), GLFW_KEY_W, 0, GLFW_PRESS, 0); // its action moved to I
    keyCallback(context->window(), GLFW_KEY_I, 0, GLFW_PRESS, 0);
    mouseButtonCallback(context->window(), GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 0);
    focusCallback(context->window(), GLFW_TRUE);
    focusCallback(context->window(), GLFW_FALSE);
    std::vector<InputEvent> events;
    window.pollEvents(events, 0.0f);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].key, Key::f3);
    EXPECT_EQ(events[0].action, KeyAction::release);
    EXPECT_EQ(events[1].kind, InputEvent::Kind::scroll);
    EXPECT_EQ(events[1].scroll, -1.5);
    EXPECT_EQ(events[2].key, Key::w);
    EXPECT_EQ(events[2].action, KeyAction::press);
    EXPECT_EQ(events[3].button, MouseButton::right);
    EXPECT_EQ(events[3].source, KeySource::keyboard);
    EXPECT_EQ(events[4].kind, InputEvent::Kind::focusLost);
    events.clear();
    window.pollEvents(events, 0.0f);
    EXPECT_TRUE(events.empty());

    const Route noEvents;
    RouteInput script(noEvents, scriptedFrameTime);
    WindowInput replayWindow(context->window(), &script);
    focusCallback(context->window(), GLFW_FALSE);
    keyCallback(context->window(), GLFW_KEY_W, 0, GLFW_PRESS, 0);
    replayWindow.pollEvents(events, 0.0f);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].key, Key::w);
}

// F3's and F6's effects, as the loop applies them, hold for every later draw.
TEST_F(InputCallbacks, WireframeAndFaceCullingSwitchTheGlState)
{
    const auto polygonMode = [] {
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        return mode[0];
    };
    setStartState();
    setWireframe(true);
    setFaceCulling(false);
    EXPECT_EQ(polygonMode(), GL_LINE);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    setWireframe(false);
    setFaceCulling(true);
    EXPECT_EQ(polygonMode(), GL_FILL);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}
