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

TEST(FrustumCulling, PlanesAreBuiltInTheirFixedOrderWithInwardNormals)
{
    const PlayerCamera camera = testCamera();
    const auto& planes = camera.getPlanes();
    ASSERT_EQ(planes.size(), 6u);
    const float r = 1.0f / std::sqrt(5.0f);
    // X = cross(Z, up) points to -X for this camera, so the "top" plane bounds y from below.
    expectVectorNear(planes[0].normal, {0, r, -2 * r});
    expectVectorNear(planes[1].normal, {0, -r, -2 * r});
    expectVectorNear(planes[2].normal, {-r, 0, -2 * r});
    expectVectorNear(planes[3].normal, {r, 0, -2 * r});
    expectVectorNear(planes[4].normal, {0, 0, -1});
    expectVectorNear(planes[5].normal, {0, 0, 1});
    EXPECT_NEAR(planes[0].d, 0.0f, 1e-5f); // the side planes pass through the eye
    EXPECT_NEAR(planes[4].d, -1.0f, 1e-6f);
    EXPECT_NEAR(planes[5].d, 10.0f, 1e-6f);
    for (const FrustumPlane& plane : planes) {
        EXPECT_NEAR(plane.signedDistance(plane.point), 0.0f, 1e-5f);
        EXPECT_GT(plane.signedDistance({0, 0, -5}), 0.0f);
    }
}

TEST(FrustumCulling, BeforeTheFirstUpdateEveryBoxIsVisible)
{
    const PlayerCamera camera({0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 1.5707964f, 1.0f, 1.0f, 10.0f);
    EXPECT_TRUE(camera.getPlanes().empty());
    EXPECT_TRUE(camera.isVisible(box({0, 0, 500}, {1, 1, 1}))); // far behind the eye
}

TEST(FrustumCulling, BoxesInsideAndOutside)
{
    const PlayerCamera camera = testCamera();
    EXPECT_TRUE(camera.isVisible(box({-1, -1, -6}, {2, 2, 2})));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, 2}, {2, 2, 2})));   // behind the eye
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -30}, {2, 2, 2}))); // beyond far
    EXPECT_FALSE(camera.isVisible(box({40, -1, -6}, {2, 2, 2})));  // beside
}

TEST(FrustumCulling, AStraddledPlaneEndsTheTestBeforeALaterOneRejects)
{
    const PlayerCamera camera = testCamera();
    // z in [-30, -25], wholly beyond the far plane (the sixth), but y in [-60, -30] crosses the
    // first plane y = 2z there.
    EXPECT_TRUE(camera.isVisible(box({-1, -60, -30}, {2, 30, 5})));
    // The same depth without crossing the first plane is rejected by the far plane.
    EXPECT_FALSE(camera.isVisible(box({-1, -30, -30}, {2, 10, 5})));
}

TEST(FrustumCulling, ACornerExactlyOnAPlaneIsNotOutside)
{
    const PlayerCamera camera = testCamera();
    // The nearest corner touches the far plane z = -10 exactly.
    EXPECT_TRUE(camera.isVisible(box({-1, -1, -12}, {2, 2, 2})));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -12}, {2, 2, 1.5f})));
}

TEST(FrustumCulling, APlacementMovesOnlyTheCorner)
{
    const PlayerCamera camera = testCamera();
    // Model box x in [11, 12], z in [-1, 1], turned a quarter about Y: (x, z) -> (z, -x).
    const glm::mat4 quarterTurn =
        glm::rotate(glm::mat4(1.0f), 1.5707964f, glm::vec3(0.0f, 1.0f, 0.0f));
    const BoundingBox turned = box({11, -0.5f, -1}, {1, 1, 2}, quarterTurn);
    // The turned solid would lie at z in [-12, -11], beyond the far plane ...
    EXPECT_FALSE(camera.isVisible(box({-1, -0.5f, -12}, {2, 1, 1})));
    // ... but only the corner turns, to (-1, -0.5, -11); the extents stay along the world axes
    // and reach z = -9, inside.
    EXPECT_TRUE(camera.isVisible(turned));
    EXPECT_TRUE(camera.isVisible(box({-1, -0.5f, -11}, {1, 1, 2})));
    // A translation carries the whole box.
    const glm::mat4 pushedAway = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -20));
    EXPECT_FALSE(camera.isVisible(box({-1, -1, -6}, {2, 2, 2}, pushedAway)));
}

TEST(FrustumCulling, TheGamesVolumeNeverCutsIntoThePicture)
{
    PlayerCamera camera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 4.0f / 3.0f, 0.1f, 100.0f);
    camera.update({13, 25, 4}, {20, 20, 4});
    const glm::mat4 inverse = glm::inverse(camera.viewProjection());
    int points = 0;
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
                ++points;
            }
        }
    }
    EXPECT_EQ(points, 9 * 9 * 7);
    // Just beyond twice the picture's opening, a point is culled.
    const glm::vec4 outside = inverse * glm::vec4(0.0f, 2.2f, 0.5f, 1.0f);
    EXPECT_FALSE(camera.isVisible(box(glm::vec3(outside) / outside.w, glm::vec3(0.0f))));
}
