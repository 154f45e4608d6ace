#pragma once

#include "render/gl_object.h"
#include "render/particle_startup.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>
#include <cstdint>

// The hazard's marker: a stream of small cubes that a compute shader moves and kills on the
// GPU and that are drawn instanced, one cube per live particle. The records never leave the
// GPU; the CPU only keeps the count, read back from an atomic counter each frame.

// Everything the one particle system owns. There is exactly one (the hazard has one marker),
// held program-wide behind the functions below.
struct ParticleSystem {
    std::array<GlBuffer, 2> particleBuffers;
    bool readIndex = false; // which buffer is the next update's input
    GlBuffer liveCounter;
    GlBuffer spareCounter;
    GlBuffer readbackBuffer;
    std::uint32_t particleCount = particles::startupCount;
    float spawnAccumulator = 0.0f;
    glm::mat4 emitterMatrix{1.0f};

    GlProgram computeProgram;
    GlProgram renderProgram;
    // Uniform locations of the two programs, looked up once when they are built.
    struct ComputeUniforms {
        GLint maximumCount = -1, lastCount = -1, dt = -1, particlesToSpawn = -1, radius = -1,
              maxTTL = -1, spawnPos = -1;
    } computeUniforms;
    struct RenderUniforms {
        GLint viewProjMatrix = -1, modelMatrix = -1, normalMatrix = -1, materialCoefficients = -1,
              specularAlpha = -1, brightness = -1, maxTTL = -1;
    } renderUniforms;
    GlVertexArray cubeVertexArray;
    GlBuffer cubeVertexBuffer;
    GlBuffer cubeElementBuffer;
};

// Buffers, with the start-up particles (from startupParticles) around the emitter.
void createParticleSystem(glm::vec3 emitterPosition, const StartupParticles& startup);

// The cube mesh and the two programs from "particle.compute", ".vert" and ".frag" in the
// shader folder. A file that is missing or does not build throws ShaderFailure.
void createParticlePrograms();

// Moves the whole cloud: the particles live in the emitter's space.
void setEmitterPosition(glm::vec3 position);

// Spawns, simulates and draws one frame's particles, depth-tested, without blending.
void updateAndDrawParticles(const glm::mat4& viewProj, float deltaTime);

// Draws the particles as the last update left them, moving none: a paused game's cloud.
void drawParticles(const glm::mat4& viewProj);

// Deletes the GL objects; call before the context goes. Harmless when nothing was created.
void releaseParticleSystem();

// The live state, for the hazard and for inspection. Only valid after createParticleSystem.
const ParticleSystem& particleSystem();

// Work groups for an update whose input holds `count` particles: one more than the full groups,
// so the last, partial group (and the spawning) always has invocations.
std::uint32_t particleDispatchGroups(std::uint32_t count);
