#pragma once

#include <BulletCollision/CollisionDispatch/btCollisionObject.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <glm/vec3.hpp>

#include <optional>
#include <vector>

class btCollisionWorld;

// The first thing a sweep of the capsule touched.
struct SweepContact {
    const btCollisionObject* object = nullptr;
    int shapeIndex = -1;    // child of a compound, -1 otherwise
    double distance = 0.0;  // along the sweep direction until the capsule touches
    glm::dvec3 point{0.0};  // contact point in the world
    glm::dvec3 normal{0.0}; // unit, pointing towards the capsule
};

// An overlap of the capsule with an object.
struct CapsulePenetration {
    const btCollisionObject* object = nullptr;
    glm::dvec3 outward{0.0}; // unit, from the object towards the capsule
    double depth = 0.0;      // positive
};

// The capsule's queries against the world: sweeps along a direction, penetration tests and the
// push out of overlaps. The capsule's own proxy body is invisible to all of them.
class CapsuleSweep {
  public:
    CapsuleSweep(btCollisionWorld* world, float radius, float height, float skin,
                 const glm::dvec3& up);
    CapsuleSweep(const CapsuleSweep&) = delete;
    CapsuleSweep& operator=(const CapsuleSweep&) = delete;

    void ignore(const btCollisionObject* object) { ignored = object; }

    // Closest contact of the capsule moved from centre along the unit direction over length.
    // A sweep that starts inside a shape and moves out of or along it finds nothing.
    std::optional<SweepContact> sweep(const glm::dvec3& centre, const glm::dvec3& direction,
                                      double length) const;

    // Whether the exact capsule penetrates a static or kinematic object.
    bool penetrates(const glm::dvec3& centre) const;

    // Pushes the capsule grown by the skin out of static and kinematic objects, for at most the
    // given number of rounds. Returns the corrected centre.
    glm::dvec3 pushOut(glm::dvec3 centre, int rounds) const;

  private:
    btCollisionWorld* world;
    glm::dvec3 up;
    mutable btCapsuleShape exact;
    mutable btCapsuleShape grown;
    mutable btCollisionObject probe; // carries a capsule for contact tests; never in the world
    const btCollisionObject* ignored = nullptr;

    btTransform transformAt(const glm::dvec3& centre) const;
    std::vector<CapsulePenetration> penetrations(const glm::dvec3& centre, btCapsuleShape& shape,
                                                 bool staticOrKinematicOnly) const;
};
