#pragma once

#include "physics/capsule_controller.h"

#include <glm/vec3.hpp>

class btCollisionWorld;

// Reports to the contact report every "kill" actor that a capsule at this centre already
// overlaps, each once. The controller's sweeps cannot see these: a sweep that starts inside
// a shape reports nothing, so a knife that lands on a standing player, or the hazard hopping
// onto one, would never kill. The capsule is the player's, grown by its skin. A report carries
// the actor, its child shape, the deepest point on it and the normal towards the capsule; no
// sweep made it, so its direction is zero and its length 0.
void reportTouchingKillActors(btCollisionWorld& world, const glm::dvec3& centre, float radius,
                              float height, ControllerHitReport& report);
