#include "app/hud.h"

#include "render/text_renderer.h"

#include <GL/glew.h>

void drawHud(const HudInputs& inputs, TextRenderer& text)
{
    const glm::vec3 white(1.0f, 1.0f, 1.0f);
    for (const HudBlock& block : layoutHud(inputs)) {
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
