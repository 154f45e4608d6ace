#include "app/camera_follow.h"

#include "app/scene_cameras.h"
#include "app/settings.h"
#include "render/camera_matrices.h"
#include "render/player_camera.h"

#include <gtest/gtest.h>

namespace {

PlayerCamera gameCamera()
{
    return PlayerCamera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 4.0f / 3.0f, 0.1f, 100.0f);
}

void expectSameMatrix(const glm::mat4& actual, const glm::mat4& expected)
{
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(actual[column][row], expected[column][row]) << column << ", " << row;
        }
    }
}

} // namespace

TEST(CameraFollow, FollowsSevenBehindAndFiveUp)
{
    PlayerCamera camera = gameCamera();
    followPlayer(camera, {10.5, 2.25, -3.0});
    EXPECT_EQ(camera.getPosition(), glm::vec3(3.5f, 7.25f, -3.0f));
    EXPECT_EQ(camera.getTarget(), glm::vec3(10.5f, 2.25f, -3.0f));
    EXPECT_EQ(camera.getPlanes().size(), 6u);
}

TEST(CameraFollow, OffsetsAreAddedBeforeNarrowingToFloat)
{
    PlayerCamera camera = gameCamera();
    // 2^24 + 1 has no float; narrowed first it would become 2^24 and the eye 2^24 - 7.
    followPlayer(camera, {16777217.0, 0.0, 0.0});
    EXPECT_EQ(camera.getPosition().x, 16777210.0f);
}

TEST(CameraFollow, VictoryCircleStartsBehindThePlayer)
{
    PlayerCamera camera = gameCamera();
    circlePlayer(camera, {10.0, 2.0, -3.0}, 180.0f);
    EXPECT_NEAR(camera.getPosition().x, 3.0f, 1e-5f);
    EXPECT_NEAR(camera.getPosition().y, 6.0f, 1e-5f);
    EXPECT_NEAR(camera.getPosition().z, -3.0f, 1e-5f);
    circlePlayer(camera, {10.0, 2.0, -3.0}, 90.0f);
    EXPECT_NEAR(camera.getPosition().x, 10.0f, 1e-5f);
    EXPECT_NEAR(camera.getPosition().z, 4.0f, 1e-5f);
    EXPECT_EQ(camera.getTarget(), glm::vec3(10.0f, 2.0f, -3.0f));
}

TEST(CameraFollow, OrbitAngleTurnsFifteenDegreesASecondAndWrapsAfterReaching360)
{
    EXPECT_FLOAT_EQ(advanceOrbitAngle(180.0f, 1.0f), 195.0f);
    // From 180, twelve seconds reach 360; the wrap comes in the frame after.
    float angle = 180.0f;
    for (int frame = 0; frame < 12; ++frame) {
        angle = advanceOrbitAngle(angle, 1.0f);
    }
    EXPECT_FLOAT_EQ(angle, 360.0f);
    EXPECT_FLOAT_EQ(advanceOrbitAngle(angle, 0.5f), 7.5f);
    EXPECT_FLOAT_EQ(advanceOrbitAngle(359.9f, 0.5f), 367.4f);
}

TEST(SceneCameras, StartUpBuildsThemFromTheWindowAndClipSettings)
{
    Settings settings;
    settings.width = 1000;
    settings.height = 500;
    settings.fov = 90.0f;
    settings.near = 0.5f;
    settings.far = 50.0f;
    const PlayerCamera player = startPlayerCamera(settings);
    EXPECT_EQ(player.getPosition(), glm::vec3(-7, 5, 0));
    EXPECT_EQ(player.getTarget(), glm::vec3(1, 0, 0));
    expectSameMatrix(player.getProjection(), perspectiveMatrix(5.0f, 2.0f, 0.5f, 50.0f));
    expectSameMatrix(player.getView(), lookAtMatrix({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}));
    const OrbitCamera orbit = startOrbitCamera(settings);
    expectSameMatrix(orbit.getProjection(),
                     perspectiveMatrix(90.0f * 0.017453292f, 2.0f, 0.5f, 50.0f));
}
