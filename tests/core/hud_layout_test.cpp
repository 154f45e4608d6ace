#include "app/hud_layout.h"

#include <gtest/gtest.h>

namespace {

HudInputs playing(int width = 800, int height = 800)
{
    HudInputs in;
    in.secondsLeft = 120;
    in.width = width;
    in.height = height;
    return in;
}

void expectText(const HudText& item, const std::string& text, float scale, float x, float y)
{
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.scale, scale) << text;
    EXPECT_EQ(item.x, x) << text;
    EXPECT_EQ(item.y, y) << text;
}

} // namespace

TEST(HudLayout, WhilePlayingOnlyTheTimerIsShownTopLeft)
{
    HudInputs in = playing(1024, 768);
    in.secondsLeft = 87;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_EQ(blocks[0].size(), 1u);
    expectText(blocks[0][0], "87 sec", 1.0f, 25.0f, 718.0f);
}

TEST(HudLayout, DebugLineOnTheFirstFrameShowsZeroTimeInfiniteRateAndAllModels)
{
    HudInputs in = playing();
    in.debugText = true;
    in.deltaTime = 0.0f;
    in.drawnModels = 18; // nothing culled before the planes exist
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 2u);
    expectText(blocks[1][0], "FT: 0.000000; FPS: inf; OBJ: 24", 0.5f, 330.0f, 775.0f);
}

TEST(HudLayout, DebugLineKeepsAllSixDecimals)
{
    HudInputs in = playing(1280, 720);
    in.debugText = true;
    in.deltaTime = 1.0f / 60.0f;
    in.drawnModels = 3;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 2u);
    // 1/60 as a float, inverted in floats: not rounded back to 60.
    expectText(blocks[1][0], "FT: 0.016667; FPS: 59.999996; OBJ: 9", 0.5f, 810.0f, 695.0f);
    EXPECT_EQ(formatHudFloat(-2.5f), "-2.500000");
}

TEST(HudLayout, DeathShowsItsTwoLinesAroundTheCentre)
{
    HudInputs in = playing(801, 601); // odd sizes: the halves are truncated
    in.dead = true;
    in.secondsLeft = 64;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 2u);
    expectText(blocks[0][0], "64 sec", 1.0f, 25.0f, 551.0f);
    ASSERT_EQ(blocks[1].size(), 2u);
    expectText(blocks[1][0], "NO PIZZA FOR YOU", 1.0f, 170.0f, 420.0f);
    expectText(blocks[1][1], "Press F11 to restart", 0.5f, 300.0f, 260.0f);
}

TEST(HudLayout, TimeUpShowsZeroSecondsAndItsMessage)
{
    HudInputs in = playing();
    in.timeUp = true;
    in.secondsLeft = 0;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0][0].text, "0 sec");
    ASSERT_EQ(blocks[1].size(), 2u);
    expectText(blocks[1][0], "THE PIZZA WAS SERVED WITHOUT YOU", 1.0f, -70.0f, 520.0f);
    expectText(blocks[1][1], "Press F11 to restart", 0.5f, 300.0f, 360.0f);
}

TEST(HudLayout, WinShowsScoreAndBest)
{
    HudInputs in = playing();
    in.won = true;
    in.secondsLeft = 82;
    in.bestShown = 82;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 2u);
    ASSERT_EQ(blocks[1].size(), 3u);
    expectText(blocks[1][0], "CONGRATULATIONS THE PIZZA IS YOURS", 1.0f, -90.0f, 520.0f);
    expectText(blocks[1][1], "Press F11 to restart or ESC to exit", 0.5f, 220.0f, 360.0f);
    expectText(blocks[1][2], "Score: 82 / Best: 82", 0.5f, 220.0f, 320.0f);
}

TEST(HudLayout, TwoFlagsInOneFrameDrawBothBlocksInFlagOrder)
{
    HudInputs in = playing();
    in.won = true;
    in.dead = true;
    in.debugText = true;
    in.deltaTime = 0.5f;
    in.secondsLeft = 3;
    in.bestShown = -1;
    const auto blocks = layoutHud(in);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0][0].text, "3 sec");
    EXPECT_EQ(blocks[1][0].text, "FT: 0.500000; FPS: 2.000000; OBJ: 6");
    EXPECT_EQ(blocks[2][0].text, "NO PIZZA FOR YOU");
    EXPECT_EQ(blocks[3][0].text, "CONGRATULATIONS THE PIZZA IS YOURS");
    EXPECT_EQ(blocks[3][2].text, "Score: 3 / Best: -1");
    // Both headlines share the same height.
    EXPECT_EQ(blocks[2][0].y, blocks[3][0].y);
}
