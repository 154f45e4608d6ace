#include "physics/obstacles.h"

#include "physics/actor_tags.h"
#include "physics/level_layout.h"
#include "physics/physics_world.h"
#include "physics/state_hash.h"

#include <btBulletDynamicsCommon.h>

#include <cstdlib>

ObstacleState obstacles;

namespace {

constexpr float hazardPeriod = 2.0f;
constexpr float knifePeriod = 10.0f;

// The throw: a spin about X, applied over the next step, and a kick down and back towards
// the start that changes a knife's velocity at once (by -12.5, -12.5 for its mass of 24).
const btVector3 throwTorque(300.0f, 0.0f, 0.0f);
const btVector3 throwImpulse(-300.0f, -300.0f, 0.0f);

Pose at(const glm::vec3& position)
{
    return {position, glm::quat(1.0f, 0.0f, 0.0f, 0.0f)};
}

void throwKnife(PhysicsActor& knife)
{
    btRigidBody& body = knife.body();
    body.activate(true);
    body.applyTorque(throwTorque);
    body.applyCentralImpulse(throwImpulse);
}

} // namespace

KnifeActors createKnives()
{
    for (std::size_t i = 0; i < obstacles.knives.size(); ++i) {
        obstacles.knives[i] = createDynamicBox(level::knifeHalfExtents, {0.5f, 0.5f, 0.5f}, 10.0f,
                                               level::knifeSpawns[i]);
        obstacles.knives[i]->setTag(killTag);
        physicsWorld.gDynamicActors.push_back(obstacles.knives[i]);
    }
    return obstacles.knives;
}

PhysicsActor* createHazard()
{
    obstacles.hazard = physicsWorld.gPhysics->createRigidStatic(at(level::hazardSpots[0]));
    obstacles.hazard->setTag(killTag);
    obstacles.hazard->setMaterial(*physicsWorld.gMaterial);
    obstacles.hazard->attachShape(*physicsWorld.gPhysics->createBoxShape(level::hazardHalfExtents),
                                  Pose{});
    obstacles.hazard->addTo(*physicsWorld.gScene);
    return obstacles.hazard;
}

void updateObstacles()
{
    if (obstacles.hazardTimer >= hazardPeriod && obstacles.hazard != nullptr) {
        const glm::vec3& spot =
            level::hazardSpots[std::rand() % static_cast<int>(level::hazardSpots.size())];
        if (obstacles.hopListener) {
            obstacles.hopListener(spot);
        }
        obstacles.hazard->setGlobalPose(at(spot));
        obstacles.hazardTimer = 0.0f;
        ++obstacles.hazardHops;
    }
    if (obstacles.knifeTimer >= knifePeriod) {
        obstacles.knifeTimer = 0.0f;
        for (std::size_t i = 0; i < obstacles.knives.size(); ++i) {
            if (obstacles.knives[i] != nullptr) {
                obstacles.knives[i]->setGlobalPose(at(level::knifeResets[i]));
            }
        }
    }
    if (obstacles.knifeTimer == 0.0f) {
        for (std::size_t i = 0; i < obstacles.knives.size(); ++i) {
            if (obstacles.knives[i] == nullptr) {
                continue;
            }
            throwKnife(*obstacles.knives[i]);
            if (obstacles.throwListener) {
                obstacles.throwListener(i, obstacles.knives[i]->getGlobalPose().position);
            }
        }
    }
}

void advanceObstacleTimers(float dt)
{
    obstacles.knifeTimer += dt;
    obstacles.hazardTimer += dt;
}

bool restoreObstacles(float knifeTimer, float hazardTimer, std::uint64_t hazardHops,
                      const glm::vec3& hazardSpot)
{
    if (obstacles.hazard == nullptr) {
        return false;
    }
    if (hazardHops < obstacles.hazardHops) {
        std::srand(1); // the sequence of a program that never seeds it
        for (int draw = 0; draw < obstacles.drawsBeforeHazard; ++draw) {
            std::rand();
        }
        obstacles.hazardHops = 0;
    }
    for (; obstacles.hazardHops < hazardHops; ++obstacles.hazardHops) {
        std::rand();
    }
    obstacles.knifeTimer = knifeTimer;
    obstacles.hazardTimer = hazardTimer;
    // Only a hazard that moves is heard and followed by its particles: the live game restores
    // the spot it stands on at every restart.
    const bool moves = obstacles.hazard->getGlobalPose().position != hazardSpot;
    obstacles.hazard->setGlobalPose(at(hazardSpot));
    if (moves && obstacles.hopListener) {
        obstacles.hopListener(hazardSpot);
    }
    return true;
}

void fingerprintObstacleRules(StateHash& hash)
{
    for (float value : {hazardPeriod, knifePeriod, throwTorque.x(), throwTorque.y(),
                        throwTorque.z(), throwImpulse.x(), throwImpulse.y(), throwImpulse.z()}) {
        hash.add(value);
    }
    for (const auto* points : {&level::knifeSpawns, &level::knifeResets}) {
        for (const glm::vec3& point : *points) {
            hash.add(point.x), hash.add(point.y), hash.add(point.z);
        }
    }
    for (const glm::vec3& spot : level::hazardSpots) {
        hash.add(spot.x), hash.add(spot.y), hash.add(spot.z);
    }
}

void forgetObstacles()
{
    obstacles.knives.fill(nullptr);
    obstacles.hazard = nullptr;
}
