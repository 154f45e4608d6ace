#include "physics/touched_face.h"

#include "physics/bullet_math.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <glm/geometric.hpp>

#include <algorithm>
#include <limits>

namespace {

// How far the contact normal must lean towards a face for the contact to touch that face.
constexpr double faceLeaning = 0.01;

TouchedFace boxFace(const btBoxShape& box, const btTransform& pose, const SweepContact& contact,
                    const glm::dvec3& direction, const glm::dvec3& up)
{
    const btVector3 half = box.getHalfExtentsWithMargin();
    const btMatrix3x3& basis = pose.getBasis();
    // An edge or corner contact touches every face that the contact normal leans towards. Of
    // those, the face that meets the sweep most head-on counts: moving down onto a step's edge
    // lands on its top, moving sideways into it meets its side.
    int bestAxis = 0;
    double bestSign = 1.0;
    double bestFacing = 2.0;
    double bestAlignment = -2.0;
    bool found = false;
    for (int axis = 0; axis < 3; ++axis) {
        const glm::dvec3 axisDirection = toGlmDouble(basis.getColumn(axis));
        for (double sign : {1.0, -1.0}) {
            const glm::dvec3 normal = axisDirection * sign;
            const double alignment = glm::dot(normal, contact.normal);
            const double facing = glm::dot(normal, direction);
            if (alignment > faceLeaning && facing < bestFacing) {
                bestFacing = facing;
                bestAxis = axis;
                bestSign = sign;
                found = true;
            }
            if (!found && alignment > bestAlignment) {
                bestAlignment = alignment;
                bestAxis = axis;
                bestSign = sign;
            }
        }
    }
    TouchedFace face;
    face.normal = toGlmDouble(basis.getColumn(bestAxis)) * bestSign;
    face.highest = -std::numeric_limits<double>::infinity();
    const int other1 = (bestAxis + 1) % 3;
    const int other2 = (bestAxis + 2) % 3;
    for (double s1 : {1.0, -1.0}) {
        for (double s2 : {1.0, -1.0}) {
            btVector3 corner(0, 0, 0);
            corner[bestAxis] = btScalar(bestSign) * half[bestAxis];
            corner[other1] = btScalar(s1) * half[other1];
            corner[other2] = btScalar(s2) * half[other2];
            face.highest = std::max(face.highest, glm::dot(toGlmDouble(pose * corner), up));
        }
    }
    return face;
}

TouchedFace planeFace(const btStaticPlaneShape& plane, const btTransform& pose,
                      const glm::dvec3& up)
{
    TouchedFace face;
    face.normal = glm::normalize(toGlmDouble(pose.getBasis() * plane.getPlaneNormal()));
    const double alongUp = glm::dot(face.normal, up);
    if (alongUp > 1.0 - 1e-9) {
        const btVector3 onPlane = pose * (plane.getPlaneNormal() * plane.getPlaneConstant());
        face.highest = glm::dot(toGlmDouble(onPlane), up);
    } else {
        face.highest = std::numeric_limits<double>::infinity();
    }
    return face;
}

} // namespace

std::optional<TouchedFace> findTouchedFace(const SweepContact& contact, const glm::dvec3& direction,
                                           const glm::dvec3& up)
{
    const btCollisionShape* shape = contact.object->getCollisionShape();
    btTransform pose = contact.object->getWorldTransform();
    if (shape->isCompound()) {
        const auto* compound = static_cast<const btCompoundShape*>(shape);
        if (contact.shapeIndex < 0 || contact.shapeIndex >= compound->getNumChildShapes()) {
            return std::nullopt;
        }
        pose = pose * compound->getChildTransform(contact.shapeIndex);
        shape = compound->getChildShape(contact.shapeIndex);
    }
    switch (shape->getShapeType()) {
    case BOX_SHAPE_PROXYTYPE:
        return boxFace(*static_cast<const btBoxShape*>(shape), pose, contact, direction, up);
    case STATIC_PLANE_PROXYTYPE:
        return planeFace(*static_cast<const btStaticPlaneShape*>(shape), pose, up);
    default:
        return std::nullopt;
    }
}
