#pragma once

// The one length of a physics step: the world moves on by exactly this much per step, and the
// frame loop's gate lets a step through once this much frame time has gathered.
inline constexpr float physicsTimeStep = 1.0f / 60.0f; // 0.016666668
