#include "physics/kill_contacts.h"

#include "physics/actor_tags.h"

#include <btBulletCollisionCommon.h>

#include <vector>

namespace {

// Keeps the deepest overlap with each "kill" object.
class KillOverlaps final : public btCollisionWorld::ContactResultCallback {
  public:
    explicit KillOverlaps(const btCollisionObject& probe) : probe(probe) {}

    btScalar addSingleResult(btManifoldPoint& point, const btCollisionObjectWrapper* first, int,
                             int firstIndex, const btCollisionObjectWrapper* second, int,
                             int secondIndex) override
    {
        const bool probeFirst = first->getCollisionObject() == &probe;
        const btCollisionObject* other =
            probeFirst ? second->getCollisionObject() : first->getCollisionObject();
        if (tagOf(*other) != killTag || point.getDistance() > 0.0f) {
            return 0.0f;
        }
        ShapeHit hit;
        hit.actor = other;
        if (other->getCollisionShape()->isCompound()) {
            hit.shapeIndex = probeFirst ? secondIndex : firstIndex;
        }
        // Bullet's normal points from the second object towards the first.
        const btVector3 normal = probeFirst ? point.m_normalWorldOnB : -point.m_normalWorldOnB;
        const btVector3 onOther =
            probeFirst ? point.getPositionWorldOnB() : point.getPositionWorldOnA();
        hit.worldNormal = {normal.x(), normal.y(), normal.z()};
        hit.worldPosition = {onOther.x(), onOther.y(), onOther.z()};
        keep(hit, point.getDistance());
        return 0.0f;
    }

    struct Overlap {
        ShapeHit hit;
        float distance;
    };
    std::vector<Overlap> overlaps;

  private:
    void keep(const ShapeHit& hit, float distance)
    {
        for (Overlap& overlap : overlaps) {
            if (overlap.hit.actor == hit.actor) {
                if (distance < overlap.distance) {
                    overlap = {hit, distance};
                }
                return;
            }
        }
        overlaps.push_back({hit, distance});
    }

    const btCollisionObject& probe;
};

} // namespace

void reportTouchingKillActors(btCollisionWorld& world, const glm::dvec3& centre, float radius,
                              float height, ControllerHitReport& report)
{
    btCapsuleShape capsule(radius, height);
    btCollisionObject probe;
    probe.setCollisionShape(&capsule);
    probe.getWorldTransform().setOrigin(btVector3(static_cast<btScalar>(centre.x),
                                                  static_cast<btScalar>(centre.y),
                                                  static_cast<btScalar>(centre.z)));
    KillOverlaps overlaps(probe);
    world.contactTest(&probe, overlaps);
    for (const KillOverlaps::Overlap& overlap : overlaps.overlaps) {
        report.onShapeHit(overlap.hit);
    }
}
