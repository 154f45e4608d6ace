#include "game/world_start.h"

#include "physics/level_layout.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"

KitchenActors startPhysicsWorld(const std::function<void(const KitchenActors&)>& withLevel)
{
    initPhysics();
    const KitchenActors actors = createKitchenActors();
    if (withLevel) {
        withLevel(actors);
    }
    createWorld();
    return actors;
}

PhysicsActor*
startParticlesAndHazard(const std::function<void(const StartupParticles&)>& withParticles)
{
    const StartupParticles particles = startupParticles(level::hazardSpots[0]);
    if (withParticles) {
        withParticles(particles);
    }
    PhysicsActor* const hazard = createHazard();
    obstacles.drawsBeforeHazard = startupRandDraws;
    return hazard;
}
