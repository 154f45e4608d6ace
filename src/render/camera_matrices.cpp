#include "render/camera_matrices.h"

#include <glm/geometric.hpp>

#include <cmath>

glm::mat4 perspectiveMatrix(float opening, float aspect, float near, float far)
{
    const float t = std::tan(opening / 2.0f);
    glm::mat4 m(0.0f);
    m[0][0] = 1.0f / (aspect * t);
    m[1][1] = 1.0f / t;
    m[2][2] = -(far + near) / (far - near);
    m[2][3] = -1.0f;
    m[3][2] = -(2.0f * far * near) / (far - near);
    return m;
}

glm::mat4 lookAtMatrix(const glm::vec3& position, const glm::vec3& target, const glm::vec3& up)
{
    const glm::vec3 f = glm::normalize(target - position);
    const glm::vec3 s = glm::normalize(glm::cross(f, up));
    const glm::vec3 u = glm::cross(s, f);
    glm::mat4 m(1.0f);
    m[0][0] = s.x;
    m[1][0] = s.y;
    m[2][0] = s.z;
    m[0][1] = u.x;
    m[1][1] = u.y;
    m[2][1] = u.z;
    m[0][2] = -f.x;
    m[1][2] = -f.y;
    m[2][2] = -f.z;
    m[3][0] = -glm::dot(s, position);
    m[3][1] = -glm::dot(u, position);
    m[3][2] = glm::dot(f, position);
    return m;
}
