#pragma once

#include <glm/vec3.hpp>

// The kitchen's two lights. Only the directional one is seen: the point light is black, but
// its uniforms are fed all the same.
struct DirectionalLight {
    DirectionalLight(const glm::vec3& color, const glm::vec3& direction);

    bool enabled = true; // never sent to the shaders
    glm::vec3 color;
    glm::vec3 direction; // the way the light travels, unit length
};

struct PointLight {
    PointLight(const glm::vec3& color, const glm::vec3& position, const glm::vec3& attenuation);

    bool enabled = true; // never sent to the shaders
    glm::vec3 color;
    glm::vec3 position;
    glm::vec3 attenuation; // constant, linear, quadratic
};

// The lights of the kitchen scene, fixed for the whole run.
DirectionalLight kitchenDirectionalLight();
PointLight kitchenPointLight();
