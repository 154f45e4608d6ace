#include "app/camera_follow.h"
#include "app/input_state.h"
#include "app/scene_cameras.h"
#include "app/settings.h"
#include "render/camera_matrices.h"
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

TEST(CameraMatrices, PerspectiveAndLookAtByHand)
{
    // tan(pi/4) = 1: 1/(aspect t) = 0.5, 1/t = 1, -(3+1)/(3-1) = -2, -(2*3*1)/(3-1) = -3.
    const glm::mat4 p = perspectiveMatrix(1.5707964f, 2.0f, 1.0f, 3.0f);
    expectNear(glm::vec3(p[0][0], p[1][1], p[2][2]), {0.5f, 1.0f, -2.0f});
    expectNear(glm::vec3(p[2][3], p[3][2], p[3][3]), {-1.0f, -3.0f, 0.0f});
    // The game's start: f = (8, -5, 0)/sqrt(89), s = (0, 0, -1), u = (-5, -8, 0)/sqrt(89).
    const float r = std::sqrt(89.0f);
    const glm::mat4 v = lookAtMatrix({-7, 5, 0}, {1, 0, 0}, {0, -1, 0});
    expectNear(glm::vec3(v[0]), {0.0f, -5.0f / r, -8.0f / r});
    expectNear(glm::vec3(v[1]), {0.0f, -8.0f / r, 5.0f / r});
    expectNear(glm::vec3(v[2]), {-1.0f, 0.0f, 0.0f});
    expectNear(glm::vec3(v[3]), {0.0f, 5.0f / r, -81.0f / r});
}

TEST(CameraMatrices, TheGamesCamerasComeFromTheSettingsAndShowAnUprightPicture)
{
    Settings settings;
    settings.width = 1000;
    settings.height = 500;
    settings.fov = 90.0f;
    settings.near = 0.5f;
    settings.far = 50.0f;
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

TEST(CameraFollow, FollowsSevenBehindAndFiveUpAndCirclesAWinnerSevenOutAndFourUp)
{
    PlayerCamera camera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 1.0f, 0.1f, 100.0f);
    followPlayer(camera, {10.5, 2.25, -3.0});
    EXPECT_EQ(camera.getPosition(), glm::vec3(3.5f, 7.25f, -3.0f));
    EXPECT_EQ(camera.getTarget(), glm::vec3(10.5f, 2.25f, -3.0f));
    // 2^24 + 1 has no float; narrowed before adding it would become 2^24 and the eye 2^24 - 7.
    followPlayer(camera, {16777217.0, 0.0, 0.0});
    EXPECT_EQ(camera.getPosition().x, 16777210.0f);

    circlePlayer(camera, {10.0, 2.0, -3.0}, 180.0f); // the circle starts behind the player
    expectNear(camera.getPosition(), {3.0f, 6.0f, -3.0f});
    circlePlayer(camera, {10.0, 2.0, -3.0}, 90.0f);
    expectNear(camera.getPosition(), {10.0f, 6.0f, 4.0f});
    EXPECT_EQ(camera.getTarget(), glm::vec3(10.0f, 2.0f, -3.0f));
    // 15 degrees a second; from 180, twelve seconds reach 360 and the wrap comes a frame later.
    float angle = 180.0f;
    for (int second = 0; second < 12; ++second) {
        angle = advanceOrbitAngle(angle, 1.0f);
    }
    EXPECT_FLOAT_EQ(angle, 360.0f);
    EXPECT_FLOAT_EQ(advanceOrbitAngle(angle, 0.5f), 7.5f);
}

TEST(OrbitCamera, TheLeftButtonTurnsTheRightPansTheWheelSetsTheDistance)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(0, 0, false, false, 12.0f);
    EXPECT_EQ(camera.getPosition(), glm::vec3(0, 0, 12));
    // (-sin 0.5 cos 0.25, sin 0.25, cos 0.5 cos 0.25) * 12, looking at the target.
    camera.update(100, 50, true, false, 12.0f);
    expectNear(camera.getPosition(), {-5.574256f, 2.968848f, 10.203608f});
    expectNear(glm::vec3(camera.getView() * glm::vec4(0, 0, 0, 1)), {0, 0, -12}, 1e-4f);
    camera.update(100, 100000, true, false, 12.0f); // pitch stops short of straight up
    EXPECT_FLOAT_EQ(camera.getPitch(), 1.5607964f);

    // Facing -Z: right = +X, up = +Y; the target pans by (-dx right + dy up) * 0.005.
    OrbitCamera panned(60.0f, 1.0f, 0.1f, 100.0f);
    panned.update(0, 0, false, false, 12.0f);
    panned.update(100, 40, false, true, 12.0f);
    expectNear(panned.getPan(), {-0.5f, 0.2f, 0.0f});
    expectNear(glm::vec3(panned.getView() * glm::vec4(panned.getPan(), 1)), {0, 0, -12}, 1e-4f);

    // The game's update reads the callbacks' buttons and wheel; a stale cursor counts whole.
    leftMouseDown = true;
    orbitZoom = 6.0f;
    panned.update(200, 40);
    leftMouseDown = false;
    orbitZoom = 12.0f;
    EXPECT_FLOAT_EQ(panned.getYaw(), 0.5f);
    EXPECT_NEAR(glm::length(panned.getPosition() - panned.getPan()), 6.0f, 1e-5f);
}
