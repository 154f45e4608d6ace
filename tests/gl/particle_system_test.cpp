#include "render/particle_system.h"

#include "build_tree_gl_test.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The buffer the last update wrote, which the draw showed and the next update reads.
std::vector<Particle> liveParticles()
{
    const ParticleSystem& system = particleSystem();
    std::vector<Particle> records(system.particleCount);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, system.particleBuffers[system.readIndex ? 1 : 0].get());
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, records.size() * sizeof(Particle),
                       records.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return records;
}

class ParticleSystemTest : public BuildTreeGlTest {
  protected:
    ParticleSystemTest()
    {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_DEPTH_TEST);
        std::srand(20240611);
        createParticleSystem(glm::vec3(0.0f), startupParticles(glm::vec3(0.0f)));
        createParticlePrograms();
    }
    ~ParticleSystemTest() override { releaseParticleSystem(); }
    void frame(float seconds)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // Looking at the origin from 12 units away, a little above.
        updateAndDrawParticles(glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f) *
                                   glm::lookAt(glm::vec3(0, 4, 12), glm::vec3(0), {0, 1, 0}),
                               seconds);
    }
};

} // namespace

TEST_F(ParticleSystemTest, BirthsFollowTheTimeAroundTheEmitterUpToTheStorage)
{
    frame(0.0f);
    std::uint32_t survivors = 0;
    for (const Particle& particle : liveParticles()) {
        survivors += particle.position.w > 0.1f ? 1 : 0;
    }
    frame(0.1f);
    ASSERT_EQ(particleSystem().particleCount, survivors + 5);
    int newborns = 0;
    for (const Particle& particle : liveParticles()) {
        if (particle.state.w > 0.0f) { // born this frame, not moved yet
            ++newborns;
            EXPECT_LE(std::hypot(particle.position.x, particle.position.z), particles::radius);
            EXPECT_GT(particle.state.y, 0.0f) << "newborns rise";
        }
    }
    EXPECT_EQ(newborns, 5);

    // A frame far too long fills the storage but never more.
    frame(500.0f); // 25000 births owed, room for 20000
    EXPECT_EQ(particleSystem().particleCount, particles::maximumCount);
    frame(0.0f); // 79 groups read them all back
    EXPECT_EQ(particleSystem().particleCount, particles::maximumCount);
    frame(1.0f); // every one of them dies, 50 are born
    EXPECT_EQ(particleSystem().particleCount, 50u);
}

TEST_F(ParticleSystemTest, TheTenAtStartAreDrawnAndNothingIsWhenNoneLive)
{
    frame(0.0f);
    EXPECT_EQ(particleSystem().particleCount, 10u);
    EXPECT_GT(Picture().countWhere([](Rgb p) { return !isWhite(p); }), 20);
    // Kill every live record behind the system's back: the next update keeps none and a 1 ms
    // frame owes no birth.
    std::vector<Particle> dead = liveParticles();
    for (Particle& particle : dead) {
        particle.position.w = 0.0f;
    }
    const ParticleSystem& system = particleSystem();
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, system.particleBuffers[system.readIndex ? 1 : 0].get());
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, dead.size() * sizeof(Particle), dead.data());
    frame(0.001f);
    EXPECT_EQ(system.particleCount, 0u);
    EXPECT_EQ(Picture().countWhere([](Rgb p) { return !isWhite(p); }), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
