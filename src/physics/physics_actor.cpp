#include "physics/physics_actor.h"

#include "physics/bullet_math.h"

#include <btBulletDynamicsCommon.h>

namespace {

// A little damping of the spin and none of the motion, so a tumbling knife settles without
// slowing its flight: its throw must carry it to the spot the course expects.
constexpr float angularDamping = 0.05f;

} // namespace

std::unique_ptr<PhysicsActor> PhysicsActor::createStatic(const Pose& pose)
{
    std::unique_ptr<PhysicsActor> actor(new PhysicsActor());
    actor->compound = std::make_unique<btCompoundShape>();
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, nullptr, actor->compound.get());
    info.m_startWorldTransform = toBullet(pose);
    actor->rigidBody = std::make_unique<btRigidBody>(info);
    return actor;
}

std::unique_ptr<PhysicsActor> PhysicsActor::createStaticSingle(btCollisionShape& shape,
                                                               const Pose& pose)
{
    std::unique_ptr<PhysicsActor> actor(new PhysicsActor());
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, nullptr, &shape);
    info.m_startWorldTransform = toBullet(pose);
    actor->rigidBody = std::make_unique<btRigidBody>(info);
    return actor;
}

std::unique_ptr<PhysicsActor> PhysicsActor::createDynamic(btCollisionShape& shape, float mass,
                                                          const Pose& pose)
{
    std::unique_ptr<PhysicsActor> actor(new PhysicsActor());
    btVector3 inertia(0.0f, 0.0f, 0.0f);
    shape.calculateLocalInertia(mass, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, &shape, inertia);
    info.m_startWorldTransform = toBullet(pose);
    info.m_angularDamping = angularDamping;
    actor->rigidBody = std::make_unique<btRigidBody>(info);
    return actor;
}

PhysicsActor::~PhysicsActor()
{
    removeFromWorld();
}

void PhysicsActor::attachShape(btCollisionShape& shape, const Pose& localPose)
{
    compound->addChildShape(toBullet(localPose), &shape);
    if (isInWorld()) {
        world->updateSingleAabb(rigidBody.get());
    }
}

void PhysicsActor::setMaterial(const PhysicsMaterial& material)
{
    rigidBody->setFriction(material.dynamicFriction);
    rigidBody->setRestitution(material.restitution);
}

void PhysicsActor::setTag(const char* tag)
{
    rigidBody->setUserPointer(const_cast<char*>(tag));
}

bool PhysicsActor::isDynamic() const
{
    return !rigidBody->isStaticObject();
}

void PhysicsActor::addTo(btDiscreteDynamicsWorld& target)
{
    world = &target;
    world->addRigidBody(rigidBody.get());
}

void PhysicsActor::removeFromWorld()
{
    // A world that was deleted first has already let go of its bodies.
    if (isInWorld()) {
        world->removeRigidBody(rigidBody.get());
    }
    world = nullptr;
}

bool PhysicsActor::isInWorld() const
{
    return world != nullptr && rigidBody->isInWorld();
}

Pose PhysicsActor::getGlobalPose() const
{
    return toPose(rigidBody->getWorldTransform());
}

void PhysicsActor::setGlobalPose(const Pose& pose, bool wake)
{
    const btTransform transform = toBullet(pose);
    rigidBody->setWorldTransform(transform);
    rigidBody->setInterpolationWorldTransform(transform);
    if (wake && isDynamic()) {
        rigidBody->activate(true);
    }
    if (isInWorld()) {
        world->updateSingleAabb(rigidBody.get());
    }
}
