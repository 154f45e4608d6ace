#pragma once

#include <array>
#include <string>
#include <vector>

// What the head-up display shows in one frame, as plain values, so the layout does not depend
// on where the game keeps its flags.
struct HudInputs {
    int secondsLeft = 0;    // whole seconds of play left, also the score after a win
    float deltaTime = 0.0f; // last measured frame time; 0 before the first measurement
    int drawnModels = 0;    // list models that passed culling this frame
    bool debugText = false; // F2 frame statistics
    bool dead = false;
    bool timeUp = false;
    bool won = false;
    int bestShown = 0;
    int width = 0; // window size in pixels
    int height = 0;

    bool operator==(const HudInputs&) const = default;
};

// One string at a pen position in window pixels from the bottom-left corner.
struct HudText {
    std::string text;
    float scale = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
};

// Texts drawn together between one switch-on and switch-off of blending.
using HudBlock = std::vector<HudText>;

// The blocks to draw this frame, in drawing order: the timer, the debug line, then the end
// screens of dead, time-up and won, each present when its flag is set.
std::vector<HudBlock> layoutHud(const HudInputs& inputs);

// How far the pen moves, in whole pixels at scale 1, for each code of the HUD font; 0 for a code
// the font lacks. The text renderer moves the pen by these times the scale.
using TextAdvances = std::array<int, 128>;

// Space kept free at the window's sides by a text that had to be shrunk.
inline constexpr float hudMargin = 10.0f;

// The width of a text's pen travel at its scale.
float hudTextWidth(const HudText& text, const TextAdvances& advances);

// A window narrower than the layout was made for would cut the long lines off at both sides.
// Each text that would leave [0, width] is drawn instead at the largest scale (never above its
// own) that fits within hudMargin of both sides, centred where it was centred. Texts that fit
// keep their position and scale exactly.
void fitToWindow(std::vector<HudBlock>& blocks, int width, const TextAdvances& advances);

// printf's "%f": six decimals, no exponent, "inf" for an infinite value.
std::string formatHudFloat(float value);
