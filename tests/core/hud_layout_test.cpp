#include "app/hud_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Everything drawn, in drawing order, whatever block it is in.
std::vector<HudText> drawn(const HudInputs& in)
{
    std::vector<HudText> texts;
    for (const HudBlock& block : layoutHud(in)) {
        texts.insert(texts.end(), block.begin(), block.end());
    }
    return texts;
}

} // namespace

TEST(HudLayout, EachStateShowsItsTextsInDrawingOrder)
{
    const std::pair<HudInputs, std::vector<std::string>> cases[] = {
        {{.secondsLeft = 87}, {"87 sec"}},
        // The first frame: no time measured yet, nothing culled.
        {{.secondsLeft = 120, .drawnModels = 18, .debugText = true},
         {"120 sec", "FT: 0.000000; FPS: inf; OBJ: 24"}},
        // 1/60 as a float, inverted in floats: not rounded back to 60.
        {{.secondsLeft = 120, .deltaTime = 1.0f / 60.0f, .drawnModels = 3, .debugText = true},
         {"120 sec", "FT: 0.016667; FPS: 59.999996; OBJ: 9"}},
        {{.secondsLeft = 64, .dead = true}, {"64 sec", "NO PIZZA FOR YOU", "Press F11 to restart"}},
        {{.secondsLeft = 0, .timeUp = true},
         {"0 sec", "THE PIZZA WAS SERVED WITHOUT YOU", "Press F11 to restart"}},
        {{.secondsLeft = 82, .won = true, .bestShown = 90},
         {"82 sec", "CONGRATULATIONS THE PIZZA IS YOURS", "Press F11 to restart or ESC to exit",
          "Score: 82 / Best: 90"}},
        {{.secondsLeft = 3,
          .deltaTime = 0.5f,
          .debugText = true,
          .dead = true,
          .won = true,
          .bestShown = -1},
         {"3 sec", "FT: 0.500000; FPS: 2.000000; OBJ: 6", "NO PIZZA FOR YOU",
          "Press F11 to restart", "CONGRATULATIONS THE PIZZA IS YOURS",
          "Press F11 to restart or ESC to exit", "Score: 3 / Best: -1"}},
    };
    for (const auto& [in, expected] : cases) {
        std::vector<std::string> texts;
        for (const HudText& text : drawn(in)) {
            texts.push_back(text.text);
        }
        EXPECT_EQ(texts, expected);
    }
}

TEST(HudLayout, TheTimerSitsTopLeftTheDebugLineTopRightTheEndScreensAroundTheCentre)
{
    const std::vector<HudText> corner = drawn({.debugText = true, .width = 1280, .height = 720});
    ASSERT_EQ(corner.size(), 2u);
    EXPECT_EQ(std::vector<float>({corner[0].scale, corner[0].x, corner[0].y}),
              std::vector<float>({1.0f, 25.0f, 670.0f}));
    EXPECT_EQ(std::vector<float>({corner[1].scale, corner[1].x, corner[1].y}),
              std::vector<float>({0.5f, 810.0f, 695.0f}));

    // Odd sizes: the halves are truncated.
    const HudInputs all{.dead = true, .timeUp = true, .won = true, .width = 800, .height = 800};
    const std::vector<HudText> square = drawn(all);
    const std::vector<HudText> wide =
        drawn({.dead = true, .timeUp = true, .won = true, .width = 1025, .height = 601});
    ASSERT_EQ(square.size(), 8u);
    for (std::size_t i = 1; i < square.size(); ++i) {
        SCOPED_TRACE(square[i].text);
        EXPECT_EQ(wide[i].x - square[i].x, 112.0f);
        EXPECT_EQ(wide[i].y - square[i].y, -100.0f);
        // Headlines large above the centre, the smaller lines below it.
        EXPECT_EQ(square[i].scale, square[i].y > 400.0f ? 1.0f : 0.5f);
    }
    EXPECT_EQ(square[1].y, square[3].y); // one height for all headlines
    EXPECT_EQ(square[3].y, square[5].y);
    EXPECT_LT(square[7].y, square[6].y); // the score under the restart line
}
