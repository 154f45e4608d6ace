#include "game/scene_cameras.h"
#include "game/settings.h"
#include "render/player_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/vec4.hpp>
#include <gtest/gtest.h>

namespace {

BoundingBox box(const glm::vec3& min, const glm::vec3& extents,
                const glm::mat4& placement = glm::mat4(1.0f))
{
    BoundingBox result;
    result.min = min;
    result.extents = extents;
    result.placement = placement;
    return result;
}

} // namespace

TEST(FrustumCulling, BoxesInsideOutsideOnAPlaneAndPlaced)
{
    // At the origin looking down -Z, opening a quarter turn (tan = 1), near 1, far 10. With the
    // doubled plane sizes the culling volume is |x| <= -2z, |y| <= -2z, -10 <= z <= -1.
    PlayerCamera camera({0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f);
    EXPECT_TRUE(camera.isVisible(box({0, 0, 500}, {1, 1, 1}))); // no planes before the update
    camera.update({0, 0, 0}, {0, 0, -1});
    EXPECT_FALSE(camera.isVisible(box({-1, -1, 2}, {2, 2, 2})));  // behind the eye
    EXPECT_FALSE(camera.isVisible(box({40, -1, -6}, {2, 2, 2}))); // beside
    EXPECT_TRUE(camera.isVisible(box({-1, -1, -12}, {2, 2, 2}))); // touching the far plane
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -12}, {2, 2, 1.5f})));
    // Model box x in [11, 12], z in [-1, 1] turned a quarter about Y would lie beyond the far
    // plane, but only the corner turns, to (-1, -0.5, -11); the extents stay along the world
    // axes and reach z = -9, inside. A translation carries the whole box.
    const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), 1.5707964f, glm::vec3(0, 1, 0));
    EXPECT_TRUE(camera.isVisible(box({11, -0.5f, -1}, {1, 1, 2}, turn)));
    const glm::mat4 away = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -20));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -6}, {2, 2, 2}, away)));
}

TEST(FrustumCulling, TheGamesVolumeNeverCutsIntoThePicture)
{
    PlayerCamera camera = startPlayerCamera(Settings{.width = 800, .height = 600});
    camera.update({13, 25, 4}, {20, 20, 4});
    const glm::mat4 inverse = glm::inverse(camera.viewProjection());
    const auto world = [&](float x, float y, float z) {
        const glm::vec4 point = inverse * glm::vec4(x, y, z, 1.0f);
        return box(glm::vec3(point) / point.w, glm::vec3(0.0f));
    };
    for (float x = -1.0f; x <= 1.0f; x += 0.25f) {
        for (float y = -1.0f; y <= 1.0f; y += 0.25f) {
            for (float z = -0.99f; z <= 1.0f; z += 0.33f) {
                EXPECT_TRUE(camera.isVisible(world(x, y, z))) << x << ", " << y << ", " << z;
            }
        }
    }
    EXPECT_FALSE(camera.isVisible(world(0.0f, 2.2f, 0.5f))); // beyond twice the opening
}
