#include "physics/level_colliders.h"

#include "physics/actor_tags.h"
#include "physics/level_layout.h"
#include "physics/physics_world.h"

#include <btBulletCollisionCommon.h>
#include <glm/gtc/quaternion.hpp>

#include <cmath>
#include <cstddef>

namespace {

constexpr glm::vec3 xAxis{1.0f, 0.0f, 0.0f};
constexpr glm::vec3 yAxis{0.0f, 1.0f, 0.0f};
constexpr glm::vec3 zAxis{0.0f, 0.0f, 1.0f};
constexpr glm::quat identity{1.0f, 0.0f, 0.0f, 0.0f};

// The pose of a placed model, translate(position) * R_Y(angle).
Pose placementPose(const level::Placement& placement)
{
    return {placement.position, glm::angleAxis(placement.angleY, yAxis)};
}

PhysicsActor* newStaticActor(const char* tag, const Pose& pose)
{
    PhysicsActor* actor = physicsWorld.gPhysics->createRigidStatic(pose);
    actor->setMaterial(*physicsWorld.gMaterial);
    actor->setTag(tag);
    return actor;
}

// An actor at the origin with its shapes, added to the world and then placed like its model.
PhysicsActor* placedActor(const char* tag, const level::Placement& placement,
                          std::initializer_list<std::pair<btCollisionShape*, Pose>> shapes)
{
    PhysicsActor* actor = newStaticActor(tag, Pose{});
    for (const auto& [shape, localPose] : shapes) {
        actor->attachShape(*shape, localPose);
    }
    actor->addTo(*physicsWorld.gScene);
    actor->setGlobalPose(placementPose(placement));
    return actor;
}

void createPlane(const level::Plane& plane, const char* tag)
{
    PhysicsActor* actor =
        physicsWorld.gPhysics->createPlane(plane.normal, plane.d, *physicsWorld.gMaterial);
    actor->setTag(tag);
    actor->addTo(*physicsWorld.gScene);
}

// A single box at an offset from the actor, or turned within it.
void createBoxActor(const char* tag, const glm::vec3& actorPosition, const level::BoxShape& box,
                    const Pose& localPose)
{
    PhysicsActor* actor = newStaticActor(tag, {actorPosition, identity});
    actor->attachShape(*physicsWorld.gPhysics->createBoxShape(box.halfExtents), localPose);
    actor->addTo(*physicsWorld.gScene);
}

void createCounterTops()
{
    PhysicsActor* counter = newStaticActor(groundTag, Pose{});
    const auto attach = [counter](const level::BoxShape& box) {
        counter->attachShape(*physicsWorld.gPhysics->createBoxShape(box.halfExtents),
                             {box.offset, identity});
    };
    for (std::size_t i = 0; i < level::counterRunCount; ++i) {
        attach(level::counterTops[i]);
    }
    counter->addTo(*physicsWorld.gScene);
    // The pit's rim joins the same actor once it is in the world.
    for (std::size_t i = level::counterRunCount; i < level::counterTops.size(); ++i) {
        attach(level::counterTops[i]);
    }
}

} // namespace

LevelActors buildLevelColliders()
{
    LevelActors actors;

    btCollisionShape* table = physicsWorld.gPhysics->createBoxShape(level::tableHalfExtents);
    const Pose tableLocal{level::tableShapeOffset, identity};
    actors.tables[0] = placedActor(groundTag, level::table1, {{table, tableLocal}});
    actors.tables[1] = placedActor(groundTag, level::table2, {{table, tableLocal}});

    btCollisionShape* pile = physicsWorld.gPhysics->createBoxShape(level::bookPileHalfExtents);
    btCollisionShape* topBook = physicsWorld.gPhysics->createBoxShape(level::topBookHalfExtents);
    const Pose topBookLocal{level::topBookOffset, glm::angleAxis(level::topBookAngleY, yAxis) *
                                                      glm::angleAxis(level::topBookAngleX, xAxis)};
    // The first pile gives no jumps back: landing on it is a trap, not a step.
    actors.bookPiles[0] =
        placedActor(nullptr, level::bookPile1, {{pile, Pose{}}, {topBook, topBookLocal}});
    actors.bookPiles[1] =
        placedActor(groundTag, level::bookPile2, {{pile, Pose{}}, {topBook, topBookLocal}});

    std::array<btCollisionShape*, level::chairShapes.size()> chairShapes{};
    for (std::size_t i = 0; i < chairShapes.size(); ++i) {
        chairShapes[i] = physicsWorld.gPhysics->createBoxShape(level::chairShapes[i].halfExtents);
    }
    for (PhysicsActor*& chair : actors.chairs) {
        chair = newStaticActor(groundTag, {level::chairActorStart, identity});
        for (std::size_t i = 0; i < chairShapes.size(); ++i) {
            const level::ChairShape& shape = level::chairShapes[i];
            chair->attachShape(*chairShapes[i],
                               {shape.offset, glm::angleAxis(shape.angleX, xAxis) *
                                                  glm::angleAxis(shape.angleZ, zAxis)});
        }
    }
    for (std::size_t i = 0; i < actors.chairs.size(); ++i) {
        actors.chairs[i]->addTo(*physicsWorld.gScene);
        actors.chairs[i]->setGlobalPose(placementPose(level::chairs[i]));
    }

    actors.pizza =
        createDynamicBox(level::pizzaHalfExtents, {0.5f, 0.5f, 0.5f}, 4.0f, level::pizzaStart);
    actors.pizza->setTag(pizzaTag);
    physicsWorld.gDynamicActors.push_back(actors.pizza);
    return actors;
}

void createFreeStandingColliders()
{
    createPlane(level::killFloor, killTag);
    for (const level::Plane& boundary : level::boundaries) {
        createPlane(boundary, nullptr);
    }
    createBoxActor(nullptr, level::tallWallBlock.offset, level::tallWallBlock, Pose{});
    createCounterTops();
    createBoxActor(killTag, {0.0f, 0.0f, 0.0f}, level::pitFloor,
                   {level::pitFloor.offset, identity});

    // The broom lies turned by 108 degrees, given by its half angle.
    const float halfAngle = level::broomHalfAngle;
    const glm::quat broomTurn(std::cos(halfAngle), 0.0f, std::sin(halfAngle), 0.0f);
    createBoxActor(groundTag, level::broomHandle.offset, level::broomHandle, {{}, broomTurn});
    createBoxActor(groundTag, level::broomHead.offset, level::broomHead, {{}, broomTurn});
}
