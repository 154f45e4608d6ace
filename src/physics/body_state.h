#pragma once

#include <glm/vec3.hpp>

#include <array>
#include <cstdint>

class btRigidBody;

// Everything of a moving body that the next step reads: where it is, where the step before
// left it, how it moves, the forces gathered for the next step and whether it sleeps. What a
// body derives from these (its world inertia) is derived again when a state is applied.
struct BodyState {
    std::array<float, 12> transform{};              // basis row by row, then the origin
    std::array<float, 12> interpolationTransform{}; // the same, as of the last step
    glm::vec3 linearVelocity{0.0f};
    glm::vec3 angularVelocity{0.0f};
    glm::vec3 interpolationLinearVelocity{0.0f};
    glm::vec3 interpolationAngularVelocity{0.0f};
    glm::vec3 totalForce{0.0f};
    glm::vec3 totalTorque{0.0f};
    std::int32_t activationState = 0;
    float deactivationTime = 0.0f;
};

BodyState captureBody(const btRigidBody& body);

// Gives the body exactly this state, bit for bit; its bounds in the world are left to whoever
// re-enters it in the world.
void applyBody(btRigidBody& body, const BodyState& state);
