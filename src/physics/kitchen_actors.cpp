#include "physics/kitchen_actors.h"

#include "physics/obstacles.h"

KitchenActors createKitchenActors()
{
    KitchenActors actors;
    actors.knives = createKnives();
    actors.level = buildLevelColliders();
    return actors;
}
