#pragma once

// Surface coefficients of an actor. Bullet knows one friction per body, so the dynamic
// friction is the one in effect; the static one is kept for what the game asked for.
struct PhysicsMaterial {
    float staticFriction = 0.5f;
    float dynamicFriction = 0.5f;
    float restitution = 0.0f;
};
