#include "app/input_state.h"
#include "render/camera_matrices.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"

#include <glm/geometric.hpp>
#include <glm/vec4.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectMatrixNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance = 1e-5f)
{
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(actual[column][row], expected[column][row], tolerance)
                << "at m[" << column << "][" << row << "]";
        }
    }
}

glm::vec3 toScreen(const glm::mat4& viewProjection, const glm::vec3& world)
{
    const glm::vec4 clip = viewProjection * glm::vec4(world, 1.0f);
    return glm::vec3(clip) / clip.w;
}

} // namespace

TEST(CameraMatrices, PerspectiveOfAQuarterTurn)
{
    // tan(pi/4) = 1: 1/(aspect t) = 0.5, 1/t = 1, -(3+1)/(3-1) = -2, -(2*3*1)/(3-1) = -3.
    glm::mat4 expected(0.0f);
    expected[0][0] = 0.5f;
    expected[1][1] = 1.0f;
    expected[2][2] = -2.0f;
    expected[2][3] = -1.0f;
    expected[3][2] = -3.0f;
    expectMatrixNear(perspectiveMatrix(1.5707964f, 2.0f, 1.0f, 3.0f), expected);
}

TEST(CameraMatrices, PerspectiveKeepsTheSignOfANegativeTangent)
{
    // The player camera's 5 rad: tan(2.5) = -0.7470223, so both scale terms are negative.
    const glm::mat4 m = perspectiveMatrix(5.0f, 4.0f / 3.0f, 0.1f, 100.0f);
    EXPECT_NEAR(m[0][0], -1.0039861f, 1e-5f);
    EXPECT_NEAR(m[1][1], -1.3386482f, 1e-5f);
    EXPECT_NEAR(m[2][2], -1.0020020f, 1e-6f);
    EXPECT_NEAR(m[3][2], -0.2002002f, 1e-6f);
    EXPECT_EQ(m[2][3], -1.0f);
    EXPECT_EQ(m[3][3], 0.0f);
}

TEST(CameraMatrices, LookAtFromTheStartPointWithTheDownwardUp)
{
    // f = (8, -5, 0)/sqrt(89), s = (0, 0, -1), u = (-5, -8, 0)/sqrt(89).
    const float r = std::sqrt(89.0f);
    glm::mat4 expected(1.0f);
    expected[0] = glm::vec4(0.0f, -5.0f / r, -8.0f / r, 0.0f);
    expected[1] = glm::vec4(0.0f, -8.0f / r, 5.0f / r, 0.0f);
    expected[2] = glm::vec4(-1.0f, 0.0f, 0.0f, 0.0f);
    expected[3] = glm::vec4(0.0f, 5.0f / r, -81.0f / r, 1.0f);
    expectMatrixNear(lookAtMatrix({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}), expected);
}

TEST(PlayerCamera, TheGamesCameraShowsAnUprightPicture)
{
    PlayerCamera camera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 800.0f / 600.0f, 0.1f, 100.0f);
    const glm::mat4 viewProjection = camera.viewProjection();
    const glm::vec3 target = toScreen(viewProjection, {1, 0, 0});
    EXPECT_NEAR(target.x, 0.0f, 1e-5f);
    EXPECT_NEAR(target.y, 0.0f, 1e-5f);
    // Above the target is up in the picture, the player's right (+Z) is right.
    EXPECT_GT(toScreen(viewProjection, {1, 1, 0}).y, 0.0f);
    EXPECT_GT(toScreen(viewProjection, {1, 0, 1}).x, 0.0f);
    // The effective vertical opening is 2 atan(0.747): a point at that slope lies on the edge.
    const glm::vec3 eye(0.0f, 0.0f, 0.0f);
    PlayerCamera level(eye, {1, 0, 0}, {0, -1, 0}, 5.0f, 1.0f, 0.1f, 100.0f);
    EXPECT_NEAR(toScreen(level.viewProjection(), {10, 7.470223f, 0}).y, 1.0f, 1e-4f);
}

TEST(PlayerCamera, UpdateMovesTheViewAndKeepsTheProjection)
{
    PlayerCamera camera({-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 1.0f, 0.1f, 100.0f);
    const glm::mat4 projection = camera.getProjection();
    EXPECT_TRUE(camera.getPlanes().empty());
    camera.update({3, 5, 0}, {10, 0, 0});
    EXPECT_EQ(camera.getPosition(), glm::vec3(3, 5, 0));
    EXPECT_EQ(camera.getProjection(), projection);
    expectMatrixNear(camera.getView(), lookAtMatrix({3, 5, 0}, {10, 0, 0}, {0, -1, 0}));
    EXPECT_EQ(camera.getPlanes().size(), 6u);
}

TEST(OrbitCamera, StartsWithTheIdentityViewAndADegreeOpening)
{
    const OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    EXPECT_EQ(camera.getView(), glm::mat4(1.0f));
    EXPECT_NEAR(camera.getProjection()[1][1], 1.7320508f, 1e-5f); // 1 / tan(30 deg)
    EXPECT_EQ(camera.getPosition(), glm::vec3(0.0f));
}

TEST(OrbitCamera, WithoutButtonsItSitsOnPlusZAtTheZoomDistance)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(300, 200, false, false, 12.0f);
    EXPECT_EQ(camera.getPosition(), glm::vec3(0, 0, 12));
    glm::mat4 expected(1.0f);
    expected[3] = glm::vec4(0, 0, -12, 1);
    expectMatrixNear(camera.getView(), expected);
}

TEST(OrbitCamera, LeftDragTurnsAroundTheTarget)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(0, 0, false, false, 12.0f);
    camera.update(100, 50, true, false, 12.0f);
    EXPECT_FLOAT_EQ(camera.getYaw(), 0.5f);
    EXPECT_FLOAT_EQ(camera.getPitch(), 0.25f);
    // (-sin 0.5 cos 0.25, sin 0.25, cos 0.5 cos 0.25) * 12
    const glm::vec3 position = camera.getPosition();
    EXPECT_NEAR(position.x, -5.574256f, 1e-5f);
    EXPECT_NEAR(position.y, 2.968848f, 1e-5f);
    EXPECT_NEAR(position.z, 10.203608f, 1e-5f);
    // The target lies straight ahead, 12 units down the view's -Z.
    const glm::vec4 target = camera.getView() * glm::vec4(0, 0, 0, 1);
    EXPECT_NEAR(target.x, 0.0f, 1e-4f);
    EXPECT_NEAR(target.y, 0.0f, 1e-4f);
    EXPECT_NEAR(target.z, -12.0f, 1e-4f);
}

TEST(OrbitCamera, PitchStopsShortOfStraightUpAndDown)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(0, 100000, true, false, 12.0f);
    EXPECT_FLOAT_EQ(camera.getPitch(), 1.5607964f);
    camera.update(0, -100000, true, false, 12.0f);
    EXPECT_FLOAT_EQ(camera.getPitch(), -1.5607964f);
}

TEST(OrbitCamera, RightDragPansTheTargetAndTheCameraLooksAtIt)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(0, 0, false, false, 12.0f);
    // Facing -Z: right = +X, up = +Y; pan += (-dx right + dy up) * 0.005.
    camera.update(100, 40, false, true, 12.0f);
    EXPECT_NEAR(camera.getPan().x, -0.5f, 1e-6f);
    EXPECT_NEAR(camera.getPan().y, 0.2f, 1e-6f);
    EXPECT_NEAR(camera.getPan().z, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.getPosition().x, -0.5f, 1e-6f);
    EXPECT_NEAR(camera.getPosition().z, 12.0f, 1e-6f);
    const glm::vec4 pan = camera.getView() * glm::vec4(camera.getPan(), 1.0f);
    EXPECT_NEAR(pan.x, 0.0f, 1e-4f);
    EXPECT_NEAR(pan.y, 0.0f, 1e-4f);
    EXPECT_NEAR(pan.z, -12.0f, 1e-4f);
}

TEST(OrbitCamera, ReadsTheWheelAndButtonsOfTheInputCallbacks)
{
    OrbitCamera camera(60.0f, 1.0f, 0.1f, 100.0f);
    camera.update(10, 10, false, false, 12.0f);
    const bool savedLeft = leftMouseDown;
    const float savedZoom = orbitZoom;
    leftMouseDown = true;
    orbitZoom = 6.0f;
    // Cursor memory went stale while the other camera was shown: the whole move counts.
    camera.update(110, 10);
    leftMouseDown = savedLeft;
    orbitZoom = savedZoom;
    EXPECT_FLOAT_EQ(camera.getYaw(), 0.5f);
    EXPECT_NEAR(glm::length(camera.getPosition()), 6.0f, 1e-5f);
}
