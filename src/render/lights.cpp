#include "render/lights.h"

#include <glm/geometric.hpp>

DirectionalLight::DirectionalLight(const glm::vec3& color, const glm::vec3& direction)
    : color(color), direction(glm::normalize(direction))
{
}

PointLight::PointLight(const glm::vec3& color, const glm::vec3& position,
                       const glm::vec3& attenuation)
    : color(color), position(position), attenuation(attenuation)
{
}

DirectionalLight kitchenDirectionalLight()
{
    return DirectionalLight(glm::vec3(1.0f, 1.0f, 1.0f), glm::vec3(-1.0f, -1.0f, 0.1f));
}

PointLight kitchenPointLight()
{
    return PointLight(glm::vec3(0.0f), glm::vec3(110.0f, 41.0f, 24.0f),
                      glm::vec3(1.0f, 0.0f, 0.0f));
}
