#include "present/hud.h"

#include "render/gl_state.h"
#include "render/text_renderer.h"

#include <algorithm>
#include <cmath>

namespace {

// White text alone vanishes over the white walls and the white sky beyond the far plane, so
// each text is first drawn in black shifted to the eight sides around it: a dark ring that
// reads on any background. Its width grows with the text, 2 pixels at scale 1, at least 1.
void drawOutlined(const HudText& item, TextRenderer& text)
{
    const glm::vec3 white(1.0f, 1.0f, 1.0f);
    const glm::vec3 black(0.0f, 0.0f, 0.0f);
    const float ring = std::max(1.0f, std::round(2.0f * item.scale));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0) {
                text.draw(item.text, item.x + static_cast<float>(dx) * ring,
                          item.y + static_cast<float>(dy) * ring, item.scale, black);
            }
        }
    }
    text.draw(item.text, item.x, item.y, item.scale, white);
}

void drawBlocks(const std::vector<HudBlock>& blocks, TextRenderer& text)
{
    for (const HudBlock& block : blocks) {
        const ScopedBlend blend;
        for (const HudText& item : block) {
            drawOutlined(item, text);
        }
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
        fitToWindow(blocks, inputs.width, advances);
        shown = visible;
        laidOut = true;
    }
    drawBlocks(blocks, text);
}
