#include "present/hud_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
        // A pause is written last, over whatever the frame shows, with the key that resumes.
        {{.secondsLeft = 64, .dead = true, .paused = true, .pauseKey = "Q"},
         {"64 sec", "NO PIZZA FOR YOU", "Press F11 to restart", "PAUSED", "Press Q to resume"}},
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
    const std::vector<HudText> all = drawn({.debugText = true,
                                            .dead = true,
                                            .timeUp = true,
                                            .won = true,
                                            .width = 1280,
                                            .height = 720});
    ASSERT_EQ(all.size(), 9u);
    EXPECT_TRUE(all[0].scale == 1.0f && all[0].x == 25.0f && all[0].y == 670.0f);
    EXPECT_TRUE(all[1].scale == 0.5f && all[1].x == 810.0f && all[1].y == 695.0f);
    for (std::size_t i = 2; i < all.size(); ++i) {
        // Headlines large above the centre at one height, the smaller lines below it.
        EXPECT_EQ(all[i].scale, all[i].y > 360.0f ? 1.0f : 0.5f) << all[i].text;
        EXPECT_TRUE(all[i].y == all[2].y || all[i].y < 360.0f) << all[i].text;
        EXPECT_LT(std::abs(all[i].x + 200.0f - 640.0f), 300.0f) << all[i].text;
    }
    EXPECT_LT(all[8].y, all[7].y); // the score under the restart line
}

// The end headlines are wider than a window of the default 800 pixels: there they shrink to
// fit, centred as before; everything else, and every text of a 1200-pixel window, stays as laid
// out.
TEST(HudLayout, TextsTooWideForTheWindowShrinkToFitCentredAndTheRestStays)
{
    TextAdvances advances; // near the HUD font's: wide capitals, narrow digits and signs
    advances.fill(13);
    std::fill(advances.begin() + 'A', advances.begin() + 'Z' + 1, 32);
    // The pause's words are centred on the window by their own width, to the whole pixel.
    std::vector<HudBlock> paused = layoutHud({.width = 800, .height = 600, .paused = true});
    placeCentredTexts(paused, advances);
    for (const HudText& text : paused.back()) {
        EXPECT_NEAR(text.x + hudTextWidth(text, advances) / 2.0f, 400.0f, 0.5f) << text.text;
    }
    for (const int width : {800, 1200}) {
        const HudInputs in{.deltaTime = 1.0f / 60.0f,
                           .debugText = true,
                           .timeUp = true,
                           .won = true,
                           .width = width,
                           .height = 800};
        const std::vector<HudBlock> laidOut = layoutHud(in);
        std::vector<HudBlock> fitted = laidOut;
        fitToWindow(fitted, width, advances);
        for (std::size_t b = 0; b < laidOut.size(); ++b) {
            for (std::size_t i = 0; i < laidOut[b].size(); ++i) {
                const HudText& before = laidOut[b][i];
                const HudText& after = fitted[b][i];
                const float wide = hudTextWidth(after, advances);
                const bool headline = width == 800 && before.y == 520.0f; // H / 2 + 120
                EXPECT_EQ(after.scale < before.scale, headline) << before.text << width;
                EXPECT_EQ(after.x == before.x, !headline) << before.text << width;
                EXPECT_GE(after.x, 0.0f) << before.text << width;
                EXPECT_LE(after.x + wide, static_cast<float>(width)) << before.text << width;
                if (headline) {
                    const float centre = before.x + hudTextWidth(before, advances) / 2.0f;
                    EXPECT_NEAR(after.x + wide / 2.0f, centre, 0.01f) << before.text;
                    EXPECT_NEAR(wide, 2.0f * (std::min(centre, width - centre) - hudMargin), 0.01f)
                        << before.text;
                    EXPECT_LT(before.x, 0.0f) << before.text;
                }
            }
        }
    }
}
