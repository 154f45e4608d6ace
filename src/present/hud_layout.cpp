#include "present/hud_layout.h"

#include "game/race_time.h"
#include "present/always_drawn.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string formatHudFloat(float value)
{
    // Large enough for the widest float in "%f" (39 integer digits, sign, six decimals).
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(value));
    return text;
}

std::vector<HudBlock> layoutHud(const HudInputs& in)
{
    // End screens sit around the window's centre: integer halves plus integer offsets.
    const int centreX = in.width / 2;
    const int centreY = in.height / 2;
    const auto at = [](int pixels) { return static_cast<float>(pixels); };
    const std::string restart = "Press F11 to restart";

    std::vector<HudBlock> blocks;
    blocks.push_back({{std::to_string(in.secondsLeft) + " sec", 1.0f, 25.0f,
                       static_cast<float>(in.height) - 50.0f}});
    if (in.debugText) {
        const float perSecond = 1.0f / in.deltaTime; // inf before the first measurement
        blocks.push_back(
            {{"FT: " + formatHudFloat(in.deltaTime) + "; FPS: " + formatHudFloat(perSecond) +
                  "; OBJ: " + std::to_string(in.drawnModels + alwaysDrawnModels),
              0.5f, static_cast<float>(in.width) - 470.0f, static_cast<float>(in.height) - 25.0f}});
    }
    if (in.dead) {
        blocks.push_back({{"NO PIZZA FOR YOU", 1.0f, at(centreX - 230), at(centreY + 120)},
                          {restart, 0.5f, at(centreX - 100), at(centreY - 40)}});
    }
    if (in.timeUp) {
        blocks.push_back(
            {{"THE PIZZA WAS SERVED WITHOUT YOU", 1.0f, at(centreX - 470), at(centreY + 120)},
             {restart, 0.5f, at(centreX - 100), at(centreY - 40)}});
    }
    if (in.won) {
        blocks.push_back(
            {{"CONGRATULATIONS THE PIZZA IS YOURS", 1.0f, at(centreX - 490), at(centreY + 120)},
             {"Press F11 to restart or ESC to exit", 0.5f, at(centreX - 180), at(centreY - 40)},
             {"Score: " + std::to_string(in.secondsLeft) +
                  " / Best: " + std::to_string(in.bestShown),
              0.5f, at(centreX - 180), at(centreY - 80)}});
    }
    if (in.paused) { // between an end screen's headline and its lines, if one is shown
        HudText word{"PAUSED", 1.5f, at(centreX), at(centreY + 30)};
        HudText resume{"Press " + in.pauseKey + " to resume", 0.5f, at(centreX), at(centreY - 10)};
        word.centred = resume.centred = true;
        blocks.push_back({word, resume});
    }
    if (in.replay.shown || in.practice) {
        blocks.push_back(layoutReplay(in));
    }
    return blocks;
}

HudBlock layoutReplay(const HudInputs& in)
{
    if (!in.replay.shown) {
        return {{"PRACTICE", 0.75f, 25.0f, 50.0f}};
    }
    const HudReplay& replay = in.replay;
    char speed[16];
    std::snprintf(speed, sizeof speed, "x%g", static_cast<double>(replay.speed));
    HudBlock block{
        {"REPLAY " + replay.run, 0.75f, 25.0f, 80.0f},
        {raceTimeText(replay.milliseconds) + "   " + speed + (replay.held ? "   held" : ""), 0.5f,
         25.0f, 50.0f},
        {"P hold  [ ] speed  , . step  LEFT RIGHT seek  HOME start  T take over  R next", 0.4f,
         25.0f, 20.0f}};
    float y = 120.0f;
    for (std::size_t index = 0; index < splitCount; ++index) {
        const HudSplit& split = in.timeAttack.splits[index];
        if (split.taken) {
            block.push_back(
                {"Split " + std::to_string(index + 1) + "  " + raceTimeText(split.milliseconds),
                 0.4f, 25.0f, y});
            y += 22.0f;
        }
    }
    return block;
}

float hudTextWidth(const HudText& text, const TextAdvances& advances)
{
    float pixels = 0.0f;
    for (const char code : text.text) {
        const auto index = static_cast<unsigned char>(code);
        pixels += index < advances.size() ? static_cast<float>(advances[index]) : 0.0f;
    }
    return pixels * text.scale;
}

void placeCentredTexts(std::vector<HudBlock>& blocks, const TextAdvances& advances)
{
    for (HudBlock& block : blocks) {
        for (HudText& item : block) {
            if (item.centred) {
                item.x -= std::round(hudTextWidth(item, advances) / 2.0f);
                item.centred = false;
            }
        }
    }
}

void fitToWindow(std::vector<HudBlock>& blocks, int width, const TextAdvances& advances)
{
    const float window = static_cast<float>(width);
    for (HudBlock& block : blocks) {
        for (HudText& item : block) {
            const float wide = hudTextWidth(item, advances);
            if (wide <= 0.0f || (item.x >= 0.0f && item.x + wide <= window)) {
                continue;
            }
            // A centre near or beyond a side would leave almost no room: keep it in the
            // window's middle half.
            const float centre = std::clamp(item.x + wide / 2.0f, window / 4.0f, window * 0.75f);
            const float room = 2.0f * (std::min(centre, window - centre) - hudMargin);
            const float fitted = std::clamp(room, 0.0f, wide);
            item.scale *= fitted / wide;
            item.x = centre - fitted / 2.0f;
        }
    }
}
