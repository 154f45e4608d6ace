#include "render/particle_system.h"

#include "render/shader_program_builder.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/mat3x3.hpp>

#include <algorithm>
#include <memory>

namespace {

// The one particle system of the program.
std::unique_ptr<ParticleSystem> current;

constexpr GLsizeiptr bufferBytes = particles::maximumCount * sizeof(Particle);

// A cube with 0.5 long edges around the particle's position: top corners, then bottom ones.
// clang-format off
constexpr float cubeCorners[8 * 3] = {
    -0.25f,  0.25f,  0.25f,
     0.25f,  0.25f,  0.25f,
     0.25f,  0.25f, -0.25f,
    -0.25f,  0.25f, -0.25f,
    -0.25f, -0.25f,  0.25f,
     0.25f, -0.25f,  0.25f,
     0.25f, -0.25f, -0.25f,
    -0.25f, -0.25f, -0.25f,
};
constexpr GLuint cubeIndices[36] = {
    0, 1, 3,  3, 1, 2,  4, 5, 0,  0, 5, 1,  5, 6, 1,  1, 6, 2,
    6, 7, 2,  2, 7, 3,  7, 4, 3,  3, 4, 0,  7, 6, 4,  4, 6, 5,
};
// clang-format on

GlBuffer makeCounter()
{
    GlBuffer counter = makeBuffer();
    const GLuint zero = 0;
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter.get());
    glBufferData(GL_ATOMIC_COUNTER_BUFFER, sizeof(GLuint), nullptr, GL_DYNAMIC_DRAW);
    glBufferSubData(GL_ATOMIC_COUNTER_BUFFER, 0, sizeof(GLuint), &zero);
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, 0);
    return counter;
}

GLint uniform(GLuint program, const char* name)
{
    return glGetUniformLocation(program, name);
}

// Reads the live counter into the count and sets the counter back to zero, through the
// read-back buffer. Mapping the buffer makes the CPU wait for the dispatch.
std::uint32_t takeLiveCount(ParticleSystem& system)
{
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, system.liveCounter.get());
    glBindBuffer(GL_COPY_WRITE_BUFFER, system.readbackBuffer.get());
    glCopyBufferSubData(GL_ATOMIC_COUNTER_BUFFER, GL_COPY_WRITE_BUFFER, 0, 0, sizeof(GLuint));
    auto* mapped = static_cast<GLuint*>(glMapBufferRange(GL_COPY_WRITE_BUFFER, 0, sizeof(GLuint),
                                                         GL_MAP_READ_BIT | GL_MAP_WRITE_BIT));
    std::uint32_t count = 0;
    if (mapped != nullptr) {
        count = *mapped;
        *mapped = 0;
        glUnmapBuffer(GL_COPY_WRITE_BUFFER);
    }
    glCopyBufferSubData(GL_COPY_WRITE_BUFFER, GL_ATOMIC_COUNTER_BUFFER, 0, 0, sizeof(GLuint));
    // The shader keeps the count within the storage; the clamp only guards the next dispatch
    // and draw against a shader that breaks that promise.
    return std::min(count, particles::maximumCount);
}

void resetSpareCounter(const ParticleSystem& system)
{
    const GLuint zero = 0;
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, system.spareCounter.get());
    glBufferSubData(GL_ATOMIC_COUNTER_BUFFER, 0, sizeof(GLuint), &zero);
    glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, 0);
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT);
    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, 5, system.spareCounter.get());
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT);
}

void findUniforms(ParticleSystem& system)
{
    const GLuint compute = system.computeProgram.get();
    ParticleSystem::ComputeUniforms& c = system.computeUniforms;
    c.maximumCount = uniform(compute, "maximumCount");
    c.lastCount = uniform(compute, "lastCount");
    c.dt = uniform(compute, "dt");
    c.particlesToSpawn = uniform(compute, "particlesToSpawn");
    c.radius = uniform(compute, "radius");
    c.maxTTL = uniform(compute, "maxTTL");
    c.spawnPos = uniform(compute, "spawnPos");

    const GLuint render = system.renderProgram.get();
    ParticleSystem::RenderUniforms& r = system.renderUniforms;
    r.viewProjMatrix = uniform(render, "viewProjMatrix");
    r.modelMatrix = uniform(render, "modelMatrix");
    r.normalMatrix = uniform(render, "normalMatrix");
    r.materialCoefficients = uniform(render, "materialCoefficients");
    r.specularAlpha = uniform(render, "specularAlpha");
    r.brightness = uniform(render, "brightness");
    r.maxTTL = uniform(render, "maxTTL");
}

void setComputeUniforms(const ParticleSystem& system, float deltaTime, std::uint32_t toSpawn)
{
    const ParticleSystem::ComputeUniforms& c = system.computeUniforms;
    glUniform1ui(c.maximumCount, particles::maximumCount);
    glUniform1ui(c.lastCount, system.particleCount);
    glUniform1f(c.dt, deltaTime);
    glUniform1f(c.particlesToSpawn, static_cast<float>(toSpawn));
    glUniform1f(c.radius, particles::radius);
    glUniform1f(c.maxTTL, particles::maxTTL);
    glUniform3f(c.spawnPos, 0.0f, 0.0f, 0.0f);
}

void setRenderUniforms(const ParticleSystem& system, const glm::mat4& viewProj)
{
    const ParticleSystem::RenderUniforms& r = system.renderUniforms;
    const glm::mat3 normalMatrix(1.0f);
    glUniformMatrix4fv(r.viewProjMatrix, 1, GL_FALSE, glm::value_ptr(viewProj));
    glUniformMatrix4fv(r.modelMatrix, 1, GL_FALSE, glm::value_ptr(system.emitterMatrix));
    glUniformMatrix3fv(r.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    glUniform3f(r.materialCoefficients, 0.1f, 0.9f, 0.1f);
    glUniform1f(r.specularAlpha, 0.1f);
    glUniform1f(r.brightness, 0.1f);
    glUniform1f(r.maxTTL, particles::maxTTL);
}

// Draws the particles the last dispatch left in storage buffer 1.
void drawBoundParticles(ParticleSystem& system, const glm::mat4& viewProj);

} // namespace

void createParticleSystem(glm::vec3 emitterPosition, const StartupParticles& startup)
{
    current = std::make_unique<ParticleSystem>();
    ParticleSystem& system = *current;
    system.emitterMatrix = glm::translate(glm::mat4(1.0f), emitterPosition);

    system.particleBuffers[0] = makeBuffer();
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, system.particleBuffers[0].get());
    glBufferData(GL_SHADER_STORAGE_BUFFER, bufferBytes, nullptr, GL_DYNAMIC_DRAW);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(startup), startup.data());

    system.particleBuffers[1] = makeBuffer();
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, system.particleBuffers[1].get());
    glBufferData(GL_SHADER_STORAGE_BUFFER, bufferBytes, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);

    system.liveCounter = makeCounter();
    system.spareCounter = makeCounter();
    system.readbackBuffer = makeBuffer();
    glBindBuffer(GL_COPY_WRITE_BUFFER, system.readbackBuffer.get());
    glBufferData(GL_COPY_WRITE_BUFFER, sizeof(GLuint), nullptr, GL_DYNAMIC_READ);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

void createParticlePrograms()
{
    ParticleSystem& system = *current;
    system.cubeVertexArray = makeVertexArray();
    system.cubeVertexBuffer = makeBuffer();
    system.cubeElementBuffer = makeBuffer();
    glBindVertexArray(system.cubeVertexArray.get());
    glBindBuffer(GL_ARRAY_BUFFER, system.cubeVertexBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(cubeCorners), cubeCorners, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, system.cubeElementBuffer.get());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(cubeIndices), cubeIndices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    const std::string folder = shaderFolderPath;
    system.computeProgram = buildComputeProgram(folder + "particle.compute");
    system.renderProgram = buildRenderProgram(folder + "particle.vert", folder + "particle.frag");
    findUniforms(system);
}

void setEmitterPosition(glm::vec3 position)
{
    current->emitterMatrix = glm::translate(glm::mat4(1.0f), position);
}

std::uint32_t particleDispatchGroups(std::uint32_t count)
{
    return count / particles::workGroupWidth + 1;
}

void updateAndDrawParticles(const glm::mat4& viewProj, float deltaTime)
{
    ParticleSystem& system = *current;

    std::uint32_t toSpawn = 0;
    system.spawnAccumulator += deltaTime * particles::spawnRate;
    if (system.spawnAccumulator >= 1.0f) {
        toSpawn = static_cast<std::uint32_t>(system.spawnAccumulator);
        system.spawnAccumulator -= static_cast<float>(toSpawn);
    }

    glUseProgram(system.computeProgram.get());
    setComputeUniforms(system, deltaTime, toSpawn);

    const std::size_t input = system.readIndex ? 1 : 0;
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, system.particleBuffers[input].get());
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, system.particleBuffers[1 - input].get());
    system.readIndex = !system.readIndex;
    glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, 4, system.liveCounter.get());

    glDispatchCompute(particleDispatchGroups(system.particleCount), 1, 1);
    glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT);

    system.particleCount = takeLiveCount(system);
    resetSpareCounter(system);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);

    // The draw reads what the dispatch wrote to storage buffer 1.
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
    drawBoundParticles(system, viewProj);
}

void drawParticles(const glm::mat4& viewProj)
{
    ParticleSystem& system = *current;
    // The buffer the last dispatch wrote, which the next one reads; in play the dispatch has
    // just bound it.
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1,
                     system.particleBuffers[system.readIndex ? 1 : 0].get());
    drawBoundParticles(system, viewProj);
}

namespace {

void drawBoundParticles(ParticleSystem& system, const glm::mat4& viewProj)
{
    glUseProgram(system.renderProgram.get());
    setRenderUniforms(system, viewProj);
    glBindVertexArray(system.cubeVertexArray.get());
    glDrawElementsInstanced(GL_TRIANGLES, 36, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(system.particleCount));
    glBindVertexArray(0);
}

} // namespace

void releaseParticleSystem()
{
    current.reset();
}

const ParticleSystem& particleSystem()
{
    return *current;
}
