#include "present/ghost.h"

#include "game/input_state.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// How much of the ghost's own colour shows over the scene behind it.
constexpr float ghostOpacity = 0.4f;

} // namespace

void Ghost::draw(float playTime)
{
    if (!input.ghost) {
        return;
    }
    const std::optional<glm::dvec3> foot = track.footAt(playTime);
    if (!foot) {
        return;
    }
    model.setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(*foot)));
    // A constant opacity keeps the ghost's shading whatever alpha the lit programs write.
    glEnable(GL_BLEND);
    glBlendColor(0.0f, 0.0f, 0.0f, ghostOpacity);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    glDepthMask(GL_FALSE);
    model.draw(glm::mat4(1.0f));
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
