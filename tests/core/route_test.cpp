#include "app/route.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

TEST(RouteKeys, NamesMapToTheirKeyCodes)
{
    EXPECT_EQ(routeKeyCode("W"), GLFW_KEY_W);
    EXPECT_EQ(routeKeyCode("A"), GLFW_KEY_A);
    EXPECT_EQ(routeKeyCode("SPACE"), GLFW_KEY_SPACE);
    EXPECT_EQ(routeKeyCode("TAB"), GLFW_KEY_TAB);
    EXPECT_EQ(routeKeyCode("ESCAPE"), GLFW_KEY_ESCAPE);
    EXPECT_EQ(routeKeyCode("F1"), GLFW_KEY_F1);
    EXPECT_EQ(routeKeyCode("F11"), GLFW_KEY_F11);
    EXPECT_EQ(routeKeyCode("F12"), GLFW_KEY_F12);
    for (const char* bad : {"w", "F0", "F13", "F01", "SHIFT", "", "AB"}) {
        EXPECT_EQ(routeKeyCode(bad), -1) << bad;
    }
}

TEST(RouteParsing, ReadsEventsInFileOrderSkippingCommentsAndBlankLines)
{
    RouteError error;
    const auto route = parseRoute("# warm-up\n\n0 W press\n  1.25 SPACE press   # jump\n"
                                  "1.25 SPACE release\n3 F11 release\n",
                                  error);
    ASSERT_TRUE(route.has_value()) << error.message;
    ASSERT_EQ(route->events.size(), 4u);
    EXPECT_EQ(route->events[0].key, GLFW_KEY_W);
    EXPECT_EQ(route->events[0].action, GLFW_PRESS);
    EXPECT_DOUBLE_EQ(route->events[1].time, 1.25);
    EXPECT_EQ(route->events[1].line, 4);
    EXPECT_EQ(route->events[2].action, GLFW_RELEASE);
    EXPECT_EQ(route->events[3].key, GLFW_KEY_F11);
}

TEST(RouteParsing, RefusesTheFirstMalformedLineWithItsNumber)
{
    const std::pair<const char*, int> cases[] = {
        {"0 W press\n1 W\n", 2},          // missing action
        {"0 W press\n\n-1 W press\n", 3}, // negative time
        {"x W press\n", 1},               // not a number
        {"0 W hold\n", 1},                // unknown action
        {"0 CTRL press\n", 1},            // unknown key
        {"0 W press extra\n", 1},         // too many words
        {"1e3 W press\n", 1},             // exponent form is not a plain time
    };
    for (const auto& [text, line] : cases) {
        RouteError error;
        EXPECT_FALSE(parseRoute(text, error).has_value()) << text;
        EXPECT_EQ(error.line, line) << text;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(RouteTiming, EventsLandInTheNearestPass)
{
    const double frame = 1.0 / 60.0;
    EXPECT_EQ(passForTime(0.0, frame), 0);
    EXPECT_EQ(passForTime(1.0, frame), 60);
    EXPECT_EQ(passForTime(0.0249, frame), 1);
    EXPECT_EQ(passForTime(0.0251, frame), 2);
    EXPECT_EQ(passForTime(0.5, 0.1), 5);
}
