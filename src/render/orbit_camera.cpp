#include "render/orbit_camera.h"

#include "render/camera_matrices.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

#include <cmath>

namespace {

constexpr float degreesToRadians = 0.017453292f;
constexpr float mouseSpeed = 0.005f;
constexpr float pitchLimit = 1.5607964f; // just short of a quarter turn: the view never flips

} // namespace

OrbitCamera::OrbitCamera(float fovDegrees, float aspect, float near, float far)
    : projection(perspectiveMatrix(fovDegrees * degreesToRadians, aspect, near, far))
{
}

void OrbitCamera::update(int cursorX, int cursorY, bool turning, bool panning, float distance)
{
    // Subtracted as floats: a cursor far outside the window cannot overflow an int.
    const float dx = static_cast<float>(cursorX) - static_cast<float>(lastCursorX);
    const float dy = static_cast<float>(cursorY) - static_cast<float>(lastCursorY);

    if (turning) {
        yaw += dx * mouseSpeed;
        pitch = glm::clamp(pitch + dy * mouseSpeed, -pitchLimit, pitchLimit);
    }

    position = glm::vec3(-std::sin(yaw) * std::cos(pitch) * distance, std::sin(pitch) * distance,
                         std::cos(yaw) * std::cos(pitch) * distance);

    if (panning) {
        const glm::vec3 forward = -position;
        const glm::vec3 right = glm::normalize(glm::cross(forward, glm::vec3(0.0f, 1.0f, 0.0f)));
        const glm::vec3 upward = glm::normalize(glm::cross(right, forward));
        pan += (-dx * right + dy * upward) * mouseSpeed;
    }
    position += pan;
    buildView();

    lastCursorX = cursorX;
    lastCursorY = cursorY;
}

void OrbitCamera::restore(const State& state)
{
    lastCursorX = state.lastCursorX;
    lastCursorY = state.lastCursorY;
    yaw = state.yaw;
    pitch = state.pitch;
    position = state.position;
    pan = state.pan;
    buildView();
}

void OrbitCamera::buildView()
{
    const glm::mat4 rotation = glm::rotate(glm::mat4(1.0f), -yaw, glm::vec3(0.0f, 1.0f, 0.0f)) *
                               glm::rotate(glm::mat4(1.0f), -pitch, glm::vec3(1.0f, 0.0f, 0.0f));
    view = glm::inverse(glm::translate(glm::mat4(1.0f), position) * rotation);
}
