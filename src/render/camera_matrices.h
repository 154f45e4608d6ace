#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// The two camera matrices, written out by hand so that a negative tangent (the player camera's
// opening of 5 rad) goes through unchanged instead of meeting a library's assumptions.

// Right-handed perspective, clip depth -1..1. t = tan(opening / 2) may be negative.
glm::mat4 perspectiveMatrix(float opening, float aspect, float near, float far);

// Right-handed look-at: the eye looks along -Z of the view space.
glm::mat4 lookAtMatrix(const glm::vec3& position, const glm::vec3& target, const glm::vec3& up);
