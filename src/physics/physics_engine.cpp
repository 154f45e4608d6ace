#include "physics/physics_engine.h"

#include "physics/bullet_math.h"

#include <btBulletDynamicsCommon.h>

namespace {

// Two touching surfaces meet with the mean of their coefficients (Bullet multiplies them), so
// a material's friction is what it slides with on a surface of the same: a box of friction
// 0.5 on a counter of friction 0.5 slides with 0.5, and the knives' throws and the course's
// gaps are laid out for those slides.
btScalar meanFriction(const btCollisionObject* first, const btCollisionObject* second)
{
    return 0.5f * (first->getFriction() + second->getFriction());
}

btScalar meanRestitution(const btCollisionObject* first, const btCollisionObject* second)
{
    return 0.5f * (first->getRestitution() + second->getRestitution());
}

// Impacts slower than this do not bounce, so a dropped box settles after a hop or two instead
// of chattering on the counter for ever.
constexpr float bounceThresholdSpeed = 2.0f;

CalculateCombinedCallback previousFrictionRule = nullptr;
CalculateCombinedCallback previousRestitutionRule = nullptr;

} // namespace

PhysicsEngine::PhysicsEngine()
    : configuration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>())
{
    // Bullet keeps its combining rules in globals; the engine sets them for its lifetime.
    previousFrictionRule = gCalculateCombinedFrictionCallback;
    previousRestitutionRule = gCalculateCombinedRestitutionCallback;
    gCalculateCombinedFrictionCallback = meanFriction;
    gCalculateCombinedRestitutionCallback = meanRestitution;
}

PhysicsEngine::~PhysicsEngine()
{
    actors.clear();
    shapes.clear();
    materials.clear();
    gCalculateCombinedFrictionCallback = previousFrictionRule;
    gCalculateCombinedRestitutionCallback = previousRestitutionRule;
}

btDiscreteDynamicsWorld* PhysicsEngine::createScene(const glm::vec3& gravity)
{
    auto* world = new btDiscreteDynamicsWorld(dispatcher.get(), broadphase.get(), solver.get(),
                                              configuration.get());
    world->setGravity(toBullet(gravity));
    world->getSolverInfo().m_restitutionVelocityThreshold = bounceThresholdSpeed;
    return world;
}

PhysicsMaterial* PhysicsEngine::createMaterial(float staticFriction, float dynamicFriction,
                                               float restitution)
{
    materials.push_back(std::make_unique<PhysicsMaterial>(
        PhysicsMaterial{staticFriction, dynamicFriction, restitution}));
    return materials.back().get();
}

btBoxShape* PhysicsEngine::createBoxShape(const glm::vec3& halfExtents)
{
    auto shape = std::make_unique<btBoxShape>(toBullet(halfExtents));
    // Bullet rounds a box's edges by its collision margin; the player would then sit up to
    // 0.025 low on counter edges and the sink's rim. The kitchen's boxes keep their exact size.
    shape->setMargin(0.0f);
    btBoxShape* box = shape.get();
    shapes.push_back(std::move(shape));
    return box;
}

btStaticPlaneShape* PhysicsEngine::createPlaneShape(const glm::vec3& normal, float d)
{
    // Bullet's plane is n.x = constant, with the same solid side.
    auto shape = std::make_unique<btStaticPlaneShape>(toBullet(normal), -d);
    btStaticPlaneShape* plane = shape.get();
    shapes.push_back(std::move(shape));
    return plane;
}

PhysicsActor* PhysicsEngine::createRigidStatic(const Pose& pose)
{
    actors.push_back(PhysicsActor::createStatic(pose));
    return actors.back().get();
}

PhysicsActor* PhysicsEngine::createPlane(const glm::vec3& normal, float d,
                                         const PhysicsMaterial& material)
{
    actors.push_back(PhysicsActor::createStaticSingle(*createPlaneShape(normal, d), Pose{}));
    actors.back()->setMaterial(material);
    return actors.back().get();
}

PhysicsActor* PhysicsEngine::createRigidDynamic(btCollisionShape& shape, float mass,
                                                const Pose& pose)
{
    actors.push_back(PhysicsActor::createDynamic(shape, mass, pose));
    return actors.back().get();
}

void PhysicsEngine::renewBroadphase(btDiscreteDynamicsWorld& world)
{
    struct Entry {
        btCollisionObject* object;
        int group;
        int mask;
    };
    btCollisionObjectArray& objects = world.getCollisionObjectArray();
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(objects.size()));
    for (int i = 0; i < objects.size(); ++i) {
        const btBroadphaseProxy* proxy = objects[i]->getBroadphaseHandle();
        entries.push_back(
            {objects[i], proxy->m_collisionFilterGroup, proxy->m_collisionFilterMask});
    }
    // From the last: each removal then takes the array's end, and no object changes places.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (btRigidBody* body = btRigidBody::upcast(entry->object)) {
            world.removeRigidBody(body);
        } else {
            world.removeCollisionObject(entry->object);
        }
    }
    std::unique_ptr<btBroadphaseInterface> fresh = std::make_unique<btDbvtBroadphase>();
    world.setBroadphase(fresh.get());
    broadphase = std::move(fresh);
    solver->reset();
    for (const Entry& entry : entries) {
        if (btRigidBody* body = btRigidBody::upcast(entry.object)) {
            world.addRigidBody(body, entry.group, entry.mask);
        } else {
            world.addCollisionObject(entry.object, entry.group, entry.mask);
        }
    }
}

void PhysicsEngine::removeActorsFromWorld()
{
    for (auto& actor : actors) {
        actor->removeFromWorld();
    }
}
