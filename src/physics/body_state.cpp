#include "physics/body_state.h"

#include "physics/bullet_math.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>

namespace {

std::array<float, 12> flatten(const btTransform& transform)
{
    std::array<float, 12> values{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            values[static_cast<std::size_t>(row * 3 + column)] = transform.getBasis()[row][column];
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        values[static_cast<std::size_t>(9 + axis)] = transform.getOrigin()[axis];
    }
    return values;
}

btTransform unflatten(const std::array<float, 12>& values)
{
    const btMatrix3x3 basis(values[0], values[1], values[2], values[3], values[4], values[5],
                            values[6], values[7], values[8]);
    return btTransform(basis, btVector3(values[9], values[10], values[11]));
}

} // namespace

BodyState captureBody(const btRigidBody& body)
{
    BodyState state;
    state.transform = flatten(body.getWorldTransform());
    state.interpolationTransform = flatten(body.getInterpolationWorldTransform());
    state.linearVelocity = toGlm(body.getLinearVelocity());
    state.angularVelocity = toGlm(body.getAngularVelocity());
    state.interpolationLinearVelocity = toGlm(body.getInterpolationLinearVelocity());
    state.interpolationAngularVelocity = toGlm(body.getInterpolationAngularVelocity());
    state.totalForce = toGlm(body.getTotalForce());
    state.totalTorque = toGlm(body.getTotalTorque());
    state.activationState = body.getActivationState();
    state.deactivationTime = body.getDeactivationTime();
    return state;
}

void applyBody(btRigidBody& body, const BodyState& state)
{
    body.setWorldTransform(unflatten(state.transform));
    body.setInterpolationWorldTransform(unflatten(state.interpolationTransform));
    body.setLinearVelocity(toBullet(state.linearVelocity));
    body.setAngularVelocity(toBullet(state.angularVelocity));
    body.setInterpolationLinearVelocity(toBullet(state.interpolationLinearVelocity));
    body.setInterpolationAngularVelocity(toBullet(state.interpolationAngularVelocity));
    // The factors are 1, so the sums are the gathered forces exactly.
    body.clearForces();
    body.applyCentralForce(toBullet(state.totalForce));
    body.applyTorque(toBullet(state.totalTorque));
    body.forceActivationState(state.activationState);
    body.setDeactivationTime(state.deactivationTime);
    if (!body.isStaticOrKinematicObject()) {
        body.updateInertiaTensor();
    }
}
