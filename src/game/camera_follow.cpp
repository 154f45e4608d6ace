#include "game/camera_follow.h"

#include "render/player_camera.h"

#include <cmath>

namespace {

constexpr double degreesToRadians = 0.017453292;
constexpr double orbitDegreesPerSecond = 15.0;

} // namespace

void followPlayer(PlayerCamera& camera, const glm::dvec3& foot)
{
    const glm::dvec3 eye(foot.x - 7.0, foot.y + 5.0, foot.z);
    camera.update(glm::vec3(eye), glm::vec3(foot));
}

void circlePlayer(PlayerCamera& camera, const glm::dvec3& foot, float orbitAngle)
{
    const double radians = static_cast<double>(orbitAngle) * degreesToRadians;
    const glm::dvec3 eye(foot.x + 7.0 * std::cos(radians), foot.y + 4.0,
                         foot.z + 7.0 * std::sin(radians));
    camera.update(glm::vec3(eye), glm::vec3(foot));
}

float advanceOrbitAngle(float orbitAngle, float dt)
{
    if (orbitAngle >= 360.0f) {
        orbitAngle = 0.0f;
    }
    return static_cast<float>(static_cast<double>(orbitAngle) +
                              static_cast<double>(dt) * orbitDegreesPerSecond);
}
