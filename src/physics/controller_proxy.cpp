#include "physics/controller_proxy.h"

#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <glm/geometric.hpp>

ControllerProxy::ControllerProxy(btCollisionWorld* world, float radius, float height,
                                 const glm::dvec3& up)
    : world(world), up(glm::normalize(up)), shape(std::make_unique<btCapsuleShape>(radius, height))
{
    auto* dynamicsWorld = dynamic_cast<btDiscreteDynamicsWorld*>(world);
    if (dynamicsWorld) {
        // Mass 0 and no motion state: the dynamics world reads the pose we set and derives the
        // body's velocity from how far it moved since the last step.
        btRigidBody::btRigidBodyConstructionInfo info(0.0f, nullptr, shape.get());
        auto rigidBody = std::make_unique<btRigidBody>(info);
        rigidBody->setCollisionFlags(rigidBody->getCollisionFlags() |
                                     btCollisionObject::CF_KINEMATIC_OBJECT);
        rigidBody->setActivationState(DISABLE_DEACTIVATION);
        dynamicsWorld->addRigidBody(rigidBody.get());
        body = std::move(rigidBody);
        inDynamicsWorld = true;
    } else {
        body = std::make_unique<btCollisionObject>();
        body->setCollisionShape(shape.get());
        body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT);
        world->addCollisionObject(body.get());
    }
}

ControllerProxy::~ControllerProxy()
{
    if (inDynamicsWorld) {
        static_cast<btDiscreteDynamicsWorld*>(world)->removeRigidBody(
            static_cast<btRigidBody*>(body.get()));
    } else {
        world->removeCollisionObject(body.get());
    }
}

void ControllerProxy::moveTo(const glm::dvec3& centre, bool teleport)
{
    const btVector3 axis(btScalar(up.x), btScalar(up.y), btScalar(up.z));
    const btTransform pose(shortestArcQuat(btVector3(0, 1, 0), axis),
                           btVector3(btScalar(centre.x), btScalar(centre.y), btScalar(centre.z)));
    body->setWorldTransform(pose);
    if (teleport) {
        body->setInterpolationWorldTransform(pose);
    }
    world->updateSingleAabb(body.get());
}

const btCollisionObject* ControllerProxy::object() const
{
    return body.get();
}
