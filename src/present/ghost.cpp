#include "present/ghost.h"

#include "game/input_state.h"
#include "render/gl_state.h"

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
    const ScopedBlend blend(ghostOpacity);
    const ScopedDepthWritesOff noDepthWrites;
    model.draw(glm::mat4(1.0f));
}
