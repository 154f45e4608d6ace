#include "app/world_start.h"

#include "physics/level_layout.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"

KitchenActors startPhysicsWorld()
{
    initPhysics();
    const KitchenActors actors = createKitchenActors();
    createWorld();
    return actors;
}

HazardStart startParticlesAndHazard()
{
    HazardStart start;
    start.particles = startupParticles(level::hazardSpots[0]);
    start.hazard = createHazard();
    return start;
}
