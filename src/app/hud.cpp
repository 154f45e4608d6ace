#include "app/hud.h"

#include "render/text_renderer.h"

#include <GL/glew.h>

namespace {

void drawBlocks(const std::vector<HudBlock>& blocks, TextRenderer& text)
{
    const glm::vec3 white(1.0f, 1.0f, 1.0f);
    for (const HudBlock& block : blocks) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (const HudText& item : block) {
            text.draw(item.text, item.x, item.y, item.scale, white);
        }
        glDisable(GL_BLEND);
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}

} // namespace

void drawHud(const HudInputs& inputs, TextRenderer& text)
{
    drawBlocks(layoutHud(inputs), text);
}

void HudDrawer::draw(const HudInputs& inputs, TextRenderer& text)
{
    // The frame time and the model count are shown only on the debug line.
    HudInputs visible = inputs;
    if (!visible.debugText) {
        visible.deltaTime = 0.0f;
        visible.drawnModels = 0;
    }
    if (!laidOut || !(visible == shown)) {
        blocks = layoutHud(inputs);
        shown = visible;
        laidOut = true;
    }
    drawBlocks(blocks, text);
}
