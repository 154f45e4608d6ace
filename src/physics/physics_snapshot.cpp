#include "physics/physics_snapshot.h"

#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/state_hash.h"

#include <btBulletDynamicsCommon.h>

namespace {

// The bodies a step moves: dynamic ones, and kinematic ones the game moves itself.
bool moves(const btRigidBody& body)
{
    return !body.isStaticObject() || body.isKinematicObject();
}

template <typename Visit> void forEachMovingBody(Visit visit)
{
    btCollisionObjectArray& objects = physicsWorld.gScene->getCollisionObjectArray();
    for (int i = 0; i < objects.size(); ++i) {
        btRigidBody* body = btRigidBody::upcast(objects[i]);
        if (body != nullptr && moves(*body)) {
            visit(*body);
        }
    }
}

void addVector(StateHash& hash, const btVector3& v)
{
    hash.add(v.x()), hash.add(v.y()), hash.add(v.z());
}

void addTransform(StateHash& hash, const btTransform& transform)
{
    for (int row = 0; row < 3; ++row) {
        addVector(hash, transform.getBasis()[row]);
    }
    addVector(hash, transform.getOrigin());
}

void addShape(StateHash& hash, const btCollisionShape& shape)
{
    hash.add(shape.getShapeType());
    hash.add(shape.getMargin());
    if (const auto* box = dynamic_cast<const btBoxShape*>(&shape)) {
        addVector(hash, box->getHalfExtentsWithMargin());
    } else if (const auto* plane = dynamic_cast<const btStaticPlaneShape*>(&shape)) {
        addVector(hash, plane->getPlaneNormal());
        hash.add(plane->getPlaneConstant());
    } else if (const auto* capsule = dynamic_cast<const btCapsuleShape*>(&shape)) {
        hash.add(capsule->getRadius()), hash.add(capsule->getHalfHeight());
    } else if (const auto* compound = dynamic_cast<const btCompoundShape*>(&shape)) {
        hash.add(compound->getNumChildShapes());
        for (int i = 0; i < compound->getNumChildShapes(); ++i) {
            addTransform(hash, compound->getChildTransform(i));
            addShape(hash, *compound->getChildShape(i));
        }
    }
}

} // namespace

void capturePhysics(PhysicsSnapshot& snapshot)
{
    snapshot.bodies.clear();
    forEachMovingBody(
        [&](const btRigidBody& body) { snapshot.bodies.push_back(captureBody(body)); });
    snapshot.controllerCentre = playerCentre();
    snapshot.knifeTimer = obstacles.knifeTimer;
    snapshot.hazardTimer = obstacles.hazardTimer;
    snapshot.hazardHops = obstacles.hazardHops;
    snapshot.hazardSpot =
        obstacles.hazard != nullptr ? obstacles.hazard->getGlobalPose().position : glm::vec3(0.0f);
}

std::string restorePhysics(const PhysicsSnapshot& snapshot)
{
    std::size_t moving = 0;
    forEachMovingBody([&](const btRigidBody&) { ++moving; });
    if (moving != snapshot.bodies.size()) {
        return "it holds " + std::to_string(snapshot.bodies.size()) +
               " moving bodies, this world has " + std::to_string(moving);
    }
    if (!restoreObstacles(snapshot.knifeTimer, snapshot.hazardTimer, snapshot.hazardHops,
                          snapshot.hazardSpot)) {
        return "this world has no hazard";
    }
    // The capsule first: placing it moves its proxy, whose own state is among the bodies.
    placePlayerCentre(snapshot.controllerCentre);
    std::size_t next = 0;
    forEachMovingBody([&](btRigidBody& body) { applyBody(body, snapshot.bodies[next++]); });
    physicsWorld.gPhysics->renewBroadphase(*physicsWorld.gScene);
    return {};
}

void fingerprintWorld(StateHash& hash)
{
    btDiscreteDynamicsWorld& world = *physicsWorld.gScene;
    addVector(hash, world.getGravity());
    hash.add(world.getSolverInfo().m_restitutionVelocityThreshold);
    hash.add(physicsTimeStep);
    btCollisionObjectArray& objects = world.getCollisionObjectArray();
    hash.add(objects.size());
    for (int i = 0; i < objects.size(); ++i) {
        const btCollisionObject& object = *objects[i];
        hash.add(object.getCollisionFlags());
        addTransform(hash, object.getWorldTransform());
        hash.add(object.getFriction()), hash.add(object.getRestitution());
        const auto* tag = static_cast<const char*>(object.getUserPointer());
        hash.add(std::string_view(tag != nullptr ? tag : ""));
        if (const btRigidBody* body = btRigidBody::upcast(&object)) {
            hash.add(body->getInvMass());
        }
        addShape(hash, *object.getCollisionShape());
    }
}
