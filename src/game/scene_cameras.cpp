#include "game/scene_cameras.h"

#include "game/settings.h"

namespace {

float aspectOf(const Settings& settings)
{
    return static_cast<float>(settings.width) / static_cast<float>(settings.height);
}

} // namespace

PlayerCamera startPlayerCamera(const Settings& settings)
{
    return PlayerCamera(glm::vec3(-7.0f, 5.0f, 0.0f), glm::vec3(1.0f, 0.0f, 0.0f),
                        glm::vec3(0.0f, -1.0f, 0.0f), 5.0f, aspectOf(settings), settings.near,
                        settings.far);
}

OrbitCamera startOrbitCamera(const Settings& settings)
{
    return OrbitCamera(settings.fov, aspectOf(settings), settings.near, settings.far);
}
