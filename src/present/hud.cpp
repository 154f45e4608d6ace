#include "present/hud.h"

#include "present/time_attack_hud.h"
#include "render/gl_state.h"
#include "render/text_renderer.h"

#include <algorithm>
#include <cmath>

namespace {

const glm::vec3 black(0.0f, 0.0f, 0.0f);

glm::vec3 colourOf(HudColour colour)
{
    switch (colour) {
    case HudColour::ahead:
        return {0.25f, 1.0f, 0.35f};
    case HudColour::behind:
        return {1.0f, 0.3f, 0.25f};
    case HudColour::highlight:
        return {1.0f, 0.85f, 0.25f};
    case HudColour::white:
        break;
    }
    return {1.0f, 1.0f, 1.0f};
}

// White text alone vanishes over the white walls and the white sky beyond the far plane, so
// each text is first drawn in black shifted to the eight sides around it: a dark ring that
// reads on any background. Its width grows with the text, 2 pixels at scale 1, at least 1.
template <typename Draw> void outlined(const HudText& item, Draw&& draw)
{
    const float ring = std::max(1.0f, std::round(2.0f * item.scale));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0) {
                draw(item.x + static_cast<float>(dx) * ring, item.y + static_cast<float>(dy) * ring,
                     black);
            }
        }
    }
    draw(item.x, item.y, colourOf(item.colour));
}

void drawOutlined(const HudText& item, TextRenderer& text)
{
    outlined(item, [&](float x, float y, glm::vec3 colour) {
        text.draw(item.text, x, y, item.scale, colour);
    });
}

void drawBlocks(const std::vector<HudBlock>& blocks, const TextBatch& race, TextRenderer& text)
{
    for (const HudBlock& block : blocks) {
        const ScopedBlend blend;
        for (const HudText& item : block) {
            drawOutlined(item, text);
        }
    }
    if (!race.empty()) {
        const ScopedBlend blend;
        race.draw(*text.shader, text.table);
    }
    unbindTexturesAndVertexArray();
}

// Pen advances of the loaded font, for fitting texts into the window.
TextAdvances advancesOf(const GlyphTable& table)
{
    TextAdvances advances{};
    for (const auto& [code, glyph] : table.glyphs) {
        const auto index = static_cast<unsigned char>(code);
        if (index < advances.size()) {
            advances[index] = static_cast<int>(glyph.advance >> 6);
        }
    }
    return advances;
}

} // namespace

void HudDrawer::draw(const HudInputs& inputs, TextRenderer& text)
{
    // The frame time and the model count are shown only on the debug line.
    HudInputs visible = inputs;
    if (!visible.debugText) {
        visible.deltaTime = 0.0f;
        visible.drawnModels = 0;
    }
    if (!laidOut || !(visible == shown)) {
        if (!laidOut) {
            advances = advancesOf(text.table);
        }
        blocks = layoutHud(inputs);
        placeCentredTexts(blocks, advances);
        fitToWindow(blocks, inputs.width, advances);
        shown = visible;
        laidOut = true;
    }
    // The race's texts depend on none of the timer's and debug line's values, which change
    // every second or every frame: they are laid out again only when they themselves change.
    HudInputs raceInputs = visible;
    raceInputs.secondsLeft = raceInputs.bestShown = 0;
    raceInputs.debugText = false;
    raceInputs.deltaTime = 0.0f;
    raceInputs.drawnModels = 0;
    raceInputs.paused = false;
    if (!raceLaidOut || !(raceInputs == raceShown)) {
        layOutRace(raceInputs, text);
        raceShown = raceInputs;
        raceLaidOut = true;
    }
    drawBlocks(blocks, race, text);
}

void HudDrawer::layOutRace(const HudInputs& inputs, TextRenderer& text)
{
    std::vector<HudBlock> texts{layoutTimeAttack(inputs)};
    fitToWindow(texts, inputs.width, advances);
    race.clear();
    for (const HudText& item : texts.front()) {
        outlined(item, [&](float x, float y, glm::vec3 colour) {
            race.add(item.text, x, y, item.scale, colour, text.table);
        });
    }
    race.upload();
}
