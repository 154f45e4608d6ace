#pragma once

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

// Models always drawn outside the culled list (player, table 2, floor, counter, cabinets,
// walls); the debug line counts them too.
inline constexpr int alwaysDrawnModels = 6;

// The blocks to draw this frame, in drawing order: the timer, the debug line, then the end
// screens of dead, time-up and won, each present when its flag is set.
std::vector<HudBlock> layoutHud(const HudInputs& inputs);

// printf's "%f": six decimals, no exponent, "inf" for an infinite value.
std::string formatHudFloat(float value);
