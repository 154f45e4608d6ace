#include "controller_world.h"

ControllerWorld::ControllerWorld()
    : configuration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamics(std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                         solver.get(), configuration.get()))
{
    dynamics->setGravity(btVector3(0.0f, -9.81f, 0.0f));
}

ControllerWorld::~ControllerWorld()
{
    player.reset();
    for (auto& body : bodies) {
        dynamics->removeRigidBody(body.get());
    }
}

const btCollisionObject* ControllerWorld::addBody(const std::vector<BoxPart>& boxes,
                                                  const glm::vec3& position,
                                                  const btQuaternion& rotation, float mass)
{
    btCollisionShape* shape = nullptr;
    auto makeBox = [&](const glm::vec3& half) {
        shapes.push_back(std::make_unique<btBoxShape>(btVector3(half.x, half.y, half.z)));
        // No margin: Bullet rounds a box's edges by its margin, and a capsule perched on a
        // counter's edge would sit 0.02 lower than on the sharp edge the level was designed on.
        shapes.back()->setMargin(0.0f);
        return shapes.back().get();
    };
    if (boxes.size() == 1 && boxes[0].position == glm::vec3(0.0f) &&
        boxes[0].rotation == btQuaternion::getIdentity()) {
        shape = makeBox(boxes[0].halfExtents);
    } else {
        auto compound = std::make_unique<btCompoundShape>();
        for (const BoxPart& box : boxes) {
            btCollisionShape* child = makeBox(box.halfExtents);
            compound->addChildShape(
                btTransform(box.rotation,
                            btVector3(box.position.x, box.position.y, box.position.z)),
                child);
        }
        shape = compound.get();
        shapes.push_back(std::move(compound));
    }
    btVector3 inertia(0, 0, 0);
    if (mass > 0.0f) {
        shape->calculateLocalInertia(mass, inertia);
    }
    motionStates.push_back(std::make_unique<btDefaultMotionState>(
        btTransform(rotation, btVector3(position.x, position.y, position.z))));
    btRigidBody::btRigidBodyConstructionInfo info(mass, motionStates.back().get(), shape, inertia);
    bodies.push_back(std::make_unique<btRigidBody>(info));
    dynamics->addRigidBody(bodies.back().get());
    return bodies.back().get();
}

const btCollisionObject* ControllerWorld::addBox(const glm::vec3& halfExtents,
                                                 const glm::vec3& position, float mass)
{
    return addBody({{halfExtents}}, position, btQuaternion::getIdentity(), mass);
}

const btCollisionObject* ControllerWorld::addPlane(const glm::vec3& normal, float d)
{
    shapes.push_back(
        std::make_unique<btStaticPlaneShape>(btVector3(normal.x, normal.y, normal.z), -d));
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, nullptr, shapes.back().get());
    bodies.push_back(std::make_unique<btRigidBody>(info));
    dynamics->addRigidBody(bodies.back().get());
    return bodies.back().get();
}

CapsuleController& ControllerWorld::createController(const glm::dvec3& centre)
{
    CapsuleControllerSettings settings;
    settings.position = centre;
    settings.reportCallback = &recorder;
    player = std::make_unique<CapsuleController>(dynamics.get(), settings);
    return *player;
}

std::uint32_t ControllerWorld::move(const glm::vec3& displacement, float minDistance)
{
    recorder.hits.clear();
    return player->move(displacement, minDistance, frameTime);
}

std::vector<const btCollisionObject*> ControllerWorld::touched() const
{
    std::vector<const btCollisionObject*> objects;
    for (const ShapeHit& hit : recorder.hits) {
        objects.push_back(hit.actor);
    }
    return objects;
}
