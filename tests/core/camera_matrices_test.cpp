#include "game/camera_follow.h"
#include "game/scene_cameras.h"
#include "game/settings.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"

#include <glm/geometric.hpp>
#include <glm/vec4.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(glm::length(actual - expected), 0.0f, tolerance)
        << actual.x << ", " << actual.y << ", " << actual.z;
}

glm::vec3 toScreen(const glm::mat4& viewProjection, const glm::vec3& world)
{
    const glm::vec4 clip = viewProjection * glm::vec4(world, 1.0f);
    return glm::vec3(clip) / clip.w;
}

} // namespace

TEST(CameraMatrices, TheGamesCamerasComeFromTheSettingsAndShowAnUprightPicture)
{
    const Settings settings{.width = 1000, .height = 500, .fov = 90.0f, .near = 0.5f, .far = 50.0f};
    // The player camera opens 5 rad whatever the fov: 1/tan(2.5) = -1.3386482, both scale
    // terms negative; both take the window's aspect and the clip distances.
    const PlayerCamera player = startPlayerCamera(settings);
    const glm::mat4& p = player.getProjection();
    expectNear(glm::vec3(p[0][0], p[1][1], p[2][2]), {-0.6693241f, -1.3386482f, -50.5f / 49.5f});
    const glm::mat4 o = startOrbitCamera(settings).getProjection(); // 1/tan(45 degrees)
    expectNear(glm::vec3(o[0][0], o[1][1], o[2][2]), {0.5f, 1.0f, -50.5f / 49.5f});

    // Seen from the start, the target is in the middle, above it is up and +Z is right.
    const glm::mat4 viewProjection = player.viewProjection();
    expectNear(toScreen(viewProjection, {1, 0, 0}) * glm::vec3(1, 1, 0), glm::vec3(0.0f));
    EXPECT_GT(toScreen(viewProjection, {1, 1, 0}).y, 0.0f);
    EXPECT_GT(toScreen(viewProjection, {1, 0, 1}).x, 0.0f);
    // The effective vertical opening is 2 atan(0.747): a point at that slope lies on the edge.
    const PlayerCamera level({0, 0, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 1.0f, 0.1f, 100.0f);
    EXPECT_NEAR(toScreen(level.viewProjection(), {10, 7.470223f, 0}).y, 1.0f, 1e-4f);
}

TEST(CameraFollow, FollowsSevenBehindAndFiveUpAddingInDoublePrecision)
{
    PlayerCamera camera = startPlayerCamera(Settings{});
    followPlayer(camera, {10.5, 2.25, -3.0});
    EXPECT_EQ(camera.getPosition(), glm::vec3(3.5f, 7.25f, -3.0f));
    EXPECT_EQ(camera.getTarget(), glm::vec3(10.5f, 2.25f, -3.0f));
    // 2^24 + 1 has no float; narrowed before adding it would become 2^24 and the eye 2^24 - 7.
    followPlayer(camera, {16777217.0, 0.0, 0.0});
    EXPECT_EQ(camera.getPosition().x, 16777210.0f);
}

TEST(OrbitCamera, TheLeftButtonTurnsAroundTheTargetAtTheWheelsDistance)
{
    // The left button held at a wheel distance of 12; a stale cursor counts whole.
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(100, 50, true, false, 12.0f);
    // (-sin 0.5 cos 0.25, sin 0.25, cos 0.5 cos 0.25) * 12, looking at the target.
    expectNear(camera.getPosition(), {-5.574256f, 2.968848f, 10.203608f});
    expectNear(glm::vec3(camera.getView() * glm::vec4(0, 0, 0, 1)), {0, 0, -12}, 1e-4f);
    camera.update(100, 100000, true, false, 12.0f); // pitch stops short of straight up
    EXPECT_NEAR(camera.getPosition().y, 12.0f * std::sin(1.5607964f), 1e-4f);
    const glm::vec3 before = camera.getPosition();
    camera.update(0, 0, false, true, 12.0f); // the right button pans the target
    EXPECT_NE(camera.getPosition(), before);
}
