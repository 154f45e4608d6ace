#include "render/player_camera.h"

#include "render/camera_matrices.h"

#include <glm/geometric.hpp>
#include <glm/vec4.hpp>

#include <cmath>

PlayerCamera::PlayerCamera(const glm::vec3& position, const glm::vec3& target, const glm::vec3& up,
                           float fov, float aspect, float near, float far)
    : up(up), view(lookAtMatrix(position, target, up)),
      projection(perspectiveMatrix(fov, aspect, near, far)), position(position), target(target),
      near(near), far(far), fov(fov)
{
    nearHeight = 2.0f * std::tan(fov / 2.0f) * near;
    nearWidth = nearHeight * aspect;
    farHeight = 2.0f * std::tan(fov / 2.0f) * far;
    farWidth = farHeight * aspect;
}

void PlayerCamera::update(const glm::vec3& newPosition, const glm::vec3& newTarget)
{
    position = newPosition;
    target = newTarget;
    view = lookAtMatrix(position, target, up);
    buildPlanes();
}

void PlayerCamera::buildPlanes()
{
    planes.clear();
    const glm::vec3 z = glm::normalize(position - target);
    const glm::vec3 x = glm::normalize(glm::cross(z, up));
    const glm::vec3 y = glm::cross(z, x);

    const glm::vec3 nc = position - z * near;
    const glm::vec3 fc = position - z * far;
    const glm::vec3 ntl = nc + y * nearHeight - x * nearWidth;
    const glm::vec3 ntr = nc + y * nearHeight + x * nearWidth;
    const glm::vec3 nbl = nc - y * nearHeight - x * nearWidth;
    const glm::vec3 nbr = nc - y * nearHeight + x * nearWidth;
    const glm::vec3 ftl = fc + y * farHeight - x * farWidth;
    const glm::vec3 ftr = fc + y * farHeight + x * farWidth;
    const glm::vec3 fbl = fc - y * farHeight - x * farWidth;
    const glm::vec3 fbr = fc - y * farHeight + x * farWidth;

    planes.push_back(FrustumPlane::through(ntr, ntl, ftl));
    planes.push_back(FrustumPlane::through(nbl, nbr, fbr));
    planes.push_back(FrustumPlane::through(ntl, nbl, fbl));
    planes.push_back(FrustumPlane::through(nbr, ntr, fbr));
    planes.push_back(FrustumPlane::through(ntl, ntr, nbr));
    planes.push_back(FrustumPlane::through(ftr, ftl, fbl));
}

bool PlayerCamera::isVisible(const BoundingBox& box) const
{
    const glm::vec3 corner = glm::vec3(box.placement * glm::vec4(box.min, 1.0f));
    for (const FrustumPlane& plane : planes) {
        glm::vec3 farthestIn = corner;
        glm::vec3 farthestOut = corner;
        for (int axis = 0; axis < 3; ++axis) {
            if (plane.normal[axis] > 0.0f) {
                farthestIn[axis] += box.extents[axis];
            }
            if (plane.normal[axis] < 0.0f) {
                farthestOut[axis] += box.extents[axis];
            }
        }
        if (plane.signedDistance(farthestIn) < 0.0f) {
            return false;
        }
        if (plane.signedDistance(farthestOut) < 0.0f) {
            return true;
        }
    }
    return true;
}
