#pragma once

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>

// The hazard marker's particles as the CPU knows them: the record layout, the system's limits
// and the ring that is alive when the first frame runs. Needs no GL, so a start-up without a
// window makes the same random draws as the game.

// One GPU record, as the shaders see it in the storage buffers.
struct Particle {
    glm::vec4 position; // xyz in the emitter's space; w: life left, in seconds
    glm::vec4 state;    // xyz: velocity; w: life at birth
};
static_assert(sizeof(Particle) == 32, "the shaders read 32-byte records");

namespace particles {
inline constexpr std::uint32_t maximumCount = 20000;
inline constexpr float spawnRate = 50.0f; // particles per second
inline constexpr float radius = 3.0f;
inline constexpr float maxTTL = 0.5f;
inline constexpr std::uint32_t workGroupWidth = 256;
inline constexpr std::uint32_t startupCount = 10; // eleven are written, ten are live
} // namespace particles

// The records written at start-up: one more than startupCount, of which only startupCount
// are live.
using StartupParticles = std::array<Particle, particles::startupCount + 1>;

// How many calls of std::rand the start-up ring makes: the hazard's spots are drawn after them.
inline constexpr int startupRandDraws = 22;

// A ring of particles around the emitter. Makes startupRandDraws calls of std::rand, which the
// hazard's spots depend on.
StartupParticles startupParticles(glm::vec3 emitter);
