#pragma once

#include <glm/vec3.hpp>

class PlayerCamera;

// Where the player camera stands relative to the player's foot. The offsets are added in double
// precision, the controller's own, and only the results are narrowed to float.

// While the attempt is played: 7 units behind (towards -X) and 5 up, looking at the foot.
void followPlayer(PlayerCamera& camera, const glm::dvec3& foot);

// After a win: circling the foot 7 units out and 4 up, at the angle in degrees.
void circlePlayer(PlayerCamera& camera, const glm::dvec3& foot, float orbitAngle);

// One frame of the victory circle at 15 degrees per second. The angle wraps to 0 the frame
// after it reached 360, and only then takes that frame's step.
float advanceOrbitAngle(float orbitAngle, float dt);
