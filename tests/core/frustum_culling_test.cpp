#include "render/player_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/vec4.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A camera at the origin looking down -Z, opening a quarter turn (tan = 1), near 1, far 10.
// With the doubled plane sizes its culling volume is |x| <= -2z, |y| <= -2z, -10 <= z <= -1.
PlayerCamera testCamera()
{
    PlayerCamera camera({0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f);
    camera.update({0, 0, 0}, {0, 0, -1});
    return camera;
}

BoundingBox box(const glm::vec3& min, const glm::vec3& extents,
                const glm::mat4& placement = glm::mat4(1.0f))
{
    BoundingBox result;
    result.min = min;
    result.extents = extents;
    result.placement = placement;
    return result;
}

void expectVectorNear(const glm::vec3& actual, const glm::vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST(FrustumCulling, PlanesFaceInwardsWithNearAndFarLast)
{
    const PlayerCamera camera = testCamera();
    const auto& planes = camera.getPlanes();
    ASSERT_EQ(planes.size(), 6u);
    // X = cross(Z, up) points to -X for this camera, so the "top" plane bounds y from below.
    const float r = 1.0f / std::sqrt(5.0f);
    expectVectorNear(planes[0].normal, {0, r, -2 * r});
    expectVectorNear(planes[4].normal, {0, 0, -1});
    expectVectorNear(planes[5].normal, {0, 0, 1});
    EXPECT_NEAR(planes[4].d, -1.0f, 1e-6f);
    EXPECT_NEAR(planes[5].d, 10.0f, 1e-6f);
    for (const FrustumPlane& plane : planes) {
        EXPECT_NEAR(plane.signedDistance(plane.point), 0.0f, 1e-5f);
        EXPECT_GT(plane.signedDistance({0, 0, -5}), 0.0f);
    }
}

TEST(FrustumCulling, BoxesInsideOutsideAndOnAPlane)
{
    const PlayerCamera fresh({0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f);
    EXPECT_TRUE(fresh.isVisible(box({0, 0, 500}, {1, 1, 1}))); // no planes before the update

    const PlayerCamera camera = testCamera();
    EXPECT_TRUE(camera.isVisible(box({-1, -1, -6}, {2, 2, 2})));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, 2}, {2, 2, 2})));   // behind the eye
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -30}, {2, 2, 2}))); // beyond far
    EXPECT_FALSE(camera.isVisible(box({40, -1, -6}, {2, 2, 2})));  // beside
    // The nearest corner touching the far plane z = -10 exactly is not outside.
    EXPECT_TRUE(camera.isVisible(box({-1, -1, -12}, {2, 2, 2})));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -12}, {2, 2, 1.5f})));
    // z in [-30, -25] is wholly beyond the far plane (the sixth), but y in [-60, -30] crosses
    // the first plane y = 2z there, which ends the test as visible.
    EXPECT_TRUE(camera.isVisible(box({-1, -60, -30}, {2, 30, 5})));
    EXPECT_FALSE(camera.isVisible(box({-1, -30, -30}, {2, 10, 5})));
}

TEST(FrustumCulling, APlacementMovesOnlyTheCorner)
{
    const PlayerCamera camera = testCamera();
    // Model box x in [11, 12], z in [-1, 1], turned a quarter about Y: (x, z) -> (z, -x).
    const glm::mat4 quarterTurn =
        glm::rotate(glm::mat4(1.0f), 1.5707964f, glm::vec3(0.0f, 1.0f, 0.0f));
    const BoundingBox turned = box({11, -0.5f, -1}, {1, 1, 2}, quarterTurn);
    // The turned solid would lie at z in [-12, -11], beyond the far plane, but only the corner
    // turns, to (-1, -0.5, -11); the extents stay along the world axes and reach z = -9, inside.
    EXPECT_TRUE(camera.isVisible(turned));
    // A translation carries the whole box.
    const glm::mat4 pushedAway = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -20));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -6}, {2, 2, 2}, pushedAway)));
}

TEST(FrustumCulling, TheGamesVolumeNeverCutsIntoThePicture)
{
    PlayerCamera camera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 4.0f / 3.0f, 0.1f, 100.0f);
    camera.update({13, 25, 4}, {20, 20, 4});
    const glm::mat4 inverse = glm::inverse(camera.viewProjection());
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            for (int k = -3; k <= 3; ++k) {
                const float x = 0.25f * i;
                const float y = 0.25f * j;
                const float z = 0.33f * k;
                const glm::vec4 world = inverse * glm::vec4(x, y, z, 1.0f);
                const glm::vec3 point = glm::vec3(world) / world.w;
                EXPECT_TRUE(camera.isVisible(box(point, glm::vec3(0.0f))))
                    << "picture point " << x << ", " << y << ", " << z;
            }
        }
    }
    // Just beyond twice the picture's opening, a point is culled.
    const glm::vec4 outside = inverse * glm::vec4(0.0f, 2.2f, 0.5f, 1.0f);
    EXPECT_FALSE(camera.isVisible(box(glm::vec3(outside) / outside.w, glm::vec3(0.0f))));
}
