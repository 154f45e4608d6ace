#include "physics/obstacles.h"

#include "physics/actor_tags.h"
#include "physics/level_layout.h"
#include "physics/physics_world.h"

#include <btBulletDynamicsCommon.h>

#include <cstdlib>
#include <utility>

float knifeTimer = 0.0f;
float hazardTimer = 0.0f;

namespace {

constexpr float hazardPeriod = 2.0f;
constexpr float knifePeriod = 10.0f;

// The throw: a spin about X, applied over the next step, and a kick down and back towards
// the start that changes a knife's velocity at once (by -12.5, -12.5 for its mass of 24).
const btVector3 throwTorque(300.0f, 0.0f, 0.0f);
const btVector3 throwImpulse(-300.0f, -300.0f, 0.0f);

std::array<PhysicsActor*, 6> knives{};
PhysicsActor* hazard = nullptr;
std::function<void(const glm::vec3&)> hopListener;

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

std::array<PhysicsActor*, 6> createKnives()
{
    for (std::size_t i = 0; i < knives.size(); ++i) {
        knives[i] = createDynamicBox(level::knifeHalfExtents, {0.5f, 0.5f, 0.5f}, 10.0f,
                                     level::knifeSpawns[i]);
        knives[i]->setTag(killTag);
        gDynamicActors.push_back(knives[i]);
    }
    return knives;
}

PhysicsActor* createHazard()
{
    hazard = gPhysics->createRigidStatic(at(level::hazardSpots[0]));
    hazard->setTag(killTag);
    hazard->setMaterial(*gMaterial);
    hazard->attachShape(*gPhysics->createBoxShape(level::hazardHalfExtents), Pose{});
    hazard->addTo(*gScene);
    return hazard;
}

void setHazardHopListener(std::function<void(const glm::vec3&)> listener)
{
    hopListener = std::move(listener);
}

void updateObstacles()
{
    if (hazardTimer >= hazardPeriod && hazard != nullptr) {
        const glm::vec3& spot =
            level::hazardSpots[std::rand() % static_cast<int>(level::hazardSpots.size())];
        if (hopListener) {
            hopListener(spot);
        }
        hazard->setGlobalPose(at(spot));
        hazardTimer = 0.0f;
    }
    if (knifeTimer >= knifePeriod) {
        knifeTimer = 0.0f;
        for (std::size_t i = 0; i < knives.size(); ++i) {
            if (knives[i] != nullptr) {
                knives[i]->setGlobalPose(at(level::knifeResets[i]));
            }
        }
    }
    if (knifeTimer == 0.0f) {
        for (PhysicsActor* knife : knives) {
            if (knife != nullptr) {
                throwKnife(*knife);
            }
        }
    }
}

void advanceObstacleTimers(float dt)
{
    knifeTimer += dt;
    hazardTimer += dt;
}

void forgetObstacles()
{
    knives.fill(nullptr);
    hazard = nullptr;
}
