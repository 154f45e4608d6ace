#include "physics/capsule_sweep.h"

#include "physics/bullet_math.h"

#include <BulletCollision/BroadphaseCollision/btBroadphaseProxy.h>
#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <glm/geometric.hpp>

#include <algorithm>

namespace {

bool isTrigger(const btCollisionObject* object)
{
    return (object->getCollisionFlags() & btCollisionObject::CF_NO_CONTACT_RESPONSE) != 0;
}

// Keeps the closest hit. Bullet hands over a shape info that lives only during the call, so
// everything needed is copied out here.
struct ClosestSweepCallback : btCollisionWorld::ConvexResultCallback {
    const btCollisionObject* ignored;
    std::optional<SweepContact> contact;
    double sweepLength;

    ClosestSweepCallback(const btCollisionObject* ignoredObject, double length)
        : ignored(ignoredObject), sweepLength(length)
    {
        m_collisionFilterGroup = btBroadphaseProxy::CharacterFilter;
    }

    bool needsCollision(btBroadphaseProxy* proxy) const override
    {
        const auto* object = static_cast<const btCollisionObject*>(proxy->m_clientObject);
        if (object == ignored || isTrigger(object)) {
            return false;
        }
        return ConvexResultCallback::needsCollision(proxy);
    }

    btScalar addSingleResult(btCollisionWorld::LocalConvexResult& result,
                             bool normalInWorldSpace) override
    {
        if (result.m_hitFraction >= m_closestHitFraction && contact) {
            return m_closestHitFraction;
        }
        const btCollisionObject* object = result.m_hitCollisionObject;
        btVector3 normal = result.m_hitNormalLocal;
        if (!normalInWorldSpace) {
            normal = object->getWorldTransform().getBasis() * normal;
        }
        SweepContact hit;
        hit.object = object;
        if (result.m_localShapeInfo && object->getCollisionShape()->isCompound()) {
            hit.shapeIndex = result.m_localShapeInfo->m_triangleIndex;
        }
        hit.distance = double(result.m_hitFraction) * sweepLength;
        hit.point = toGlmDouble(result.m_hitPointLocal);
        hit.normal = glm::normalize(toGlmDouble(normal));
        contact = hit;
        m_closestHitFraction = result.m_hitFraction;
        return result.m_hitFraction;
    }
};

} // namespace

namespace {

struct PenetrationCallback : btCollisionWorld::ContactResultCallback {
    const btCollisionObject* probe;
    const btCollisionObject* ignored;
    bool staticOrKinematicOnly;
    std::vector<CapsulePenetration>* found;

    bool needsCollision(btBroadphaseProxy* proxy) const override
    {
        const auto* object = static_cast<const btCollisionObject*>(proxy->m_clientObject);
        if (object == ignored || object == probe || isTrigger(object)) {
            return false;
        }
        if (staticOrKinematicOnly && !object->isStaticOrKinematicObject()) {
            return false;
        }
        return ContactResultCallback::needsCollision(proxy);
    }

    btScalar addSingleResult(btManifoldPoint& point, const btCollisionObjectWrapper* first, int,
                             int, const btCollisionObjectWrapper* second, int, int) override
    {
        const double distance = point.getDistance();
        if (distance >= 0.0) {
            return 0;
        }
        // The normal points from the second object towards the first.
        const bool probeFirst = first->getCollisionObject() == probe;
        const btCollisionObject* other =
            probeFirst ? second->getCollisionObject() : first->getCollisionObject();
        glm::dvec3 outward = toGlmDouble(point.m_normalWorldOnB);
        if (!probeFirst) {
            outward = -outward;
        }
        const double length = glm::length(outward);
        if (length < 1e-9) {
            return 0;
        }
        found->push_back({other, outward / length, -distance});
        return 0;
    }
};

} // namespace

CapsuleSweep::CapsuleSweep(btCollisionWorld* world, float radius, float height, float skin,
                           const glm::dvec3& up)
    : world(world), up(glm::normalize(up)), exact(radius, height), grown(radius + skin, height)
{
}

btTransform CapsuleSweep::transformAt(const glm::dvec3& centre) const
{
    // The capsule's axis is Bullet's Y; turn it onto the controller's up direction.
    const btQuaternion turn = shortestArcQuat(btVector3(0, 1, 0), toBullet(up));
    return btTransform(turn, toBullet(centre));
}

std::optional<SweepContact> CapsuleSweep::sweep(const glm::dvec3& centre,
                                                const glm::dvec3& direction, double length) const
{
    if (!(length > 0.0)) {
        return std::nullopt; // Bullet misbehaves on zero-length casts
    }
    const btTransform from = transformAt(centre);
    btTransform to = from;
    to.setOrigin(toBullet(centre + direction * length));
    ClosestSweepCallback callback(ignored, length);
    world->convexSweepTest(&exact, from, to, callback, 0.0f);
    return callback.contact;
}

std::vector<CapsulePenetration> CapsuleSweep::penetrations(const glm::dvec3& centre,
                                                           btCapsuleShape& shape,
                                                           bool staticOrKinematicOnly) const
{
    std::vector<CapsulePenetration> found;
    probe.setCollisionShape(&shape);
    probe.setWorldTransform(transformAt(centre));
    PenetrationCallback callback;
    callback.probe = &probe;
    callback.ignored = ignored;
    callback.staticOrKinematicOnly = staticOrKinematicOnly;
    callback.found = &found;
    callback.m_collisionFilterGroup = btBroadphaseProxy::CharacterFilter;
    world->contactTest(&probe, callback);
    return found;
}

bool CapsuleSweep::penetrates(const glm::dvec3& centre) const
{
    return !penetrations(centre, exact, true).empty();
}

glm::dvec3 CapsuleSweep::pushOut(glm::dvec3 centre, int rounds) const
{
    for (int round = 0; round < rounds; ++round) {
        std::vector<CapsulePenetration> found = penetrations(centre, grown, true);
        if (found.empty()) {
            break;
        }
        // Deepest first; a later contact only adds what the push so far has not already
        // covered along its normal, so two coplanar floor boxes do not push twice.
        std::sort(found.begin(), found.end(),
                  [](const CapsulePenetration& a, const CapsulePenetration& b) {
                      return a.depth > b.depth;
                  });
        glm::dvec3 push{0.0};
        for (const CapsulePenetration& penetration : found) {
            const double remaining = penetration.depth - glm::dot(push, penetration.outward);
            if (remaining > 0.0) {
                push += penetration.outward * remaining;
            }
        }
        centre += push;
    }
    return centre;
}
