#pragma once

#include "physics/rigid_actor.h"

#include <LinearMath/btTransform.h>

// Conversions between the game's GLM values and Bullet's single floats.

inline btVector3 toBullet(const glm::vec3& v)
{
    return {v.x, v.y, v.z};
}

// The character controller computes in doubles; it hands Bullet single floats.
inline btVector3 toBullet(const glm::dvec3& v)
{
    return {btScalar(v.x), btScalar(v.y), btScalar(v.z)};
}

inline btQuaternion toBullet(const glm::quat& q)
{
    return {q.x, q.y, q.z, q.w};
}

inline btTransform toBullet(const Pose& pose)
{
    return btTransform(toBullet(pose.rotation), toBullet(pose.position));
}

inline glm::vec3 toGlm(const btVector3& v)
{
    return {v.x(), v.y(), v.z()};
}

// Widened exactly for the character controller's doubles.
inline glm::dvec3 toGlmDouble(const btVector3& v)
{
    return {v.x(), v.y(), v.z()};
}

inline glm::quat toGlm(const btQuaternion& q)
{
    return {q.w(), q.x(), q.y(), q.z()};
}

inline Pose toPose(const btTransform& transform)
{
    return {toGlm(transform.getOrigin()), toGlm(transform.getRotation())};
}
