#include "render/particle_system.h"

#include "app/standard_rand.h"

#include "build_tree_gl_test.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr unsigned seed = 20240611;

// The start-up ring as the game computes it from the same random sequence.
std::vector<Particle> expectedRing(glm::vec3 emitter)
{
    std::srand(seed);
    std::vector<Particle> ring(11);
    for (Particle& particle : ring) {
        const double angle = standardRand() / 16383.0 * 3.14159265358979323846;
        const double distance = standardRand() / 10922.333;
        particle.position = {emitter.x + distance * std::cos(angle), emitter.y,
                             emitter.z + distance * std::sin(angle),
                             (distance + 3.3333334e-9) * 0.5};
    }
    return ring;
}

std::vector<Particle> readParticles(GLuint buffer, std::uint32_t count)
{
    std::vector<Particle> records(count);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, count * sizeof(Particle), records.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);
    return records;
}

// The buffer the last update wrote, which the draw showed and the next update reads.
std::vector<Particle> liveParticles()
{
    const ParticleSystem& system = particleSystem();
    return readParticles(system.particleBuffers[system.readIndex ? 1 : 0].get(),
                         system.particleCount);
}

std::vector<float> lifeLeftSorted(const std::vector<Particle>& records)
{
    std::vector<float> lives;
    for (const Particle& particle : records) {
        lives.push_back(particle.position.w);
    }
    std::sort(lives.begin(), lives.end());
    return lives;
}

class ParticleSystemTest : public BuildTreeGlTest {
  protected:
    void start(glm::vec3 emitter)
    {
        std::srand(seed);
        createParticleSystem(emitter);
        createParticlePrograms();
    }
    void TearDown() override
    {
        releaseParticleSystem();
        BuildTreeGlTest::TearDown();
    }
    // Looking at the origin from 12 units away, a little above.
    const glm::mat4 viewProj =
        glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f) *
        glm::lookAt(glm::vec3(0.0f, 4.0f, 12.0f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
};

} // namespace

TEST(ParticleDispatch, OneGroupMoreThanTheFullGroups)
{
    EXPECT_EQ(particleDispatchGroups(0), 1u);
    EXPECT_EQ(particleDispatchGroups(10), 1u);
    EXPECT_EQ(particleDispatchGroups(255), 1u);
    EXPECT_EQ(particleDispatchGroups(256), 2u);
    EXPECT_EQ(particleDispatchGroups(20000), 79u);
}

TEST_F(ParticleSystemTest, StartsWithTenLiveOfElevenRingParticlesPlacedFromRand)
{
    const glm::vec3 emitter(188.0f, 0.0f, 46.0f);
    const std::vector<Particle> expected = expectedRing(emitter);
    start(emitter);
    const int nextRand = std::rand();
    std::srand(seed);
    for (int call = 0; call < 22; ++call) {
        std::rand();
    }
    EXPECT_EQ(std::rand(), nextRand) << "exactly 22 calls of rand";

    const ParticleSystem& system = particleSystem();
    EXPECT_EQ(system.particleCount, 10u);
    EXPECT_FALSE(system.readIndex);
    const std::vector<Particle> written = readParticles(system.particleBuffers[0].get(), 11);
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].position, expected[i].position) << i;
        EXPECT_EQ(written[i].state, glm::vec4(0.0f)) << i;
    }
}

TEST_F(ParticleSystemTest, FirstUpdateWithoutTimeKeepsTheTenAndSpawnsNone)
{
    const glm::vec3 emitter(188.0f, 0.0f, 46.0f);
    const std::vector<Particle> ring = expectedRing(emitter);
    start(emitter);
    updateAndDrawParticles(viewProj, 0.0f);

    EXPECT_EQ(particleSystem().particleCount, 10u);
    EXPECT_TRUE(particleSystem().readIndex);
    // The survivors are the first ten of the ring, in whatever order the GPU wrote them.
    const std::vector<Particle> firstTen(ring.begin(), ring.begin() + 10);
    EXPECT_EQ(lifeLeftSorted(liveParticles()), lifeLeftSorted(firstTen));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleSystemTest, ATenthOfASecondAgesTheLiveAndSpawnsFiveAroundTheEmitter)
{
    const std::vector<Particle> ring = expectedRing(glm::vec3(0.0f));
    start(glm::vec3(0.0f));
    updateAndDrawParticles(viewProj, 0.0f);
    updateAndDrawParticles(viewProj, 0.1f);

    std::uint32_t survivors = 0;
    for (int i = 0; i < 10; ++i) {
        survivors += ring[static_cast<size_t>(i)].position.w - 0.1f > 0.0f ? 1 : 0;
    }
    ASSERT_EQ(particleSystem().particleCount, survivors + 5);

    int newborns = 0;
    for (const Particle& particle : liveParticles()) {
        EXPECT_GT(particle.position.w, 0.0f);
        if (particle.state.w > 0.0f) { // born this frame, not moved yet
            ++newborns;
            EXPECT_LE(std::hypot(particle.position.x, particle.position.z), particles::radius);
            EXPECT_EQ(particle.position.y, 0.0f);
            EXPECT_LE(particle.position.w, particles::maxTTL);
            EXPECT_GT(particle.state.y, 0.0f) << "newborns rise";
        }
    }
    EXPECT_EQ(newborns, 5);
}

TEST_F(ParticleSystemTest, AFrameFarTooLongFillsTheStorageButNeverMore)
{
    start(glm::vec3(0.0f));
    updateAndDrawParticles(viewProj, 0.0f);
    updateAndDrawParticles(viewProj, 500.0f); // 25000 births owed, room for 20000
    EXPECT_EQ(particleSystem().particleCount, particles::maximumCount);
    updateAndDrawParticles(viewProj, 0.0f); // 79 groups read them all back
    EXPECT_EQ(particleSystem().particleCount, particles::maximumCount);
    updateAndDrawParticles(viewProj, 1.0f); // every one of them dies, 50 are born
    EXPECT_EQ(particleSystem().particleCount, 50u);
}

TEST_F(ParticleSystemTest, DrawsOneCubePerLiveParticleAndNothingWhenNoneLive)
{
    start(glm::vec3(0.0f));
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateAndDrawParticles(viewProj, 0.0f);
    EXPECT_GT(Picture().countWhere([](Rgb p) { return !isWhite(p); }), 20);

    // Kill every live record behind the system's back; the next update keeps none and a
    // 1 ms frame owes no birth.
    const ParticleSystem& system = particleSystem();
    std::vector<Particle> dead = liveParticles();
    for (Particle& particle : dead) {
        particle.position.w = 0.0f;
    }
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, system.particleBuffers[system.readIndex ? 1 : 0].get());
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, dead.size() * sizeof(Particle), dead.data());
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, 0);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateAndDrawParticles(viewProj, 0.001f);
    EXPECT_EQ(system.particleCount, 0u);
    EXPECT_EQ(Picture().countWhere([](Rgb p) { return !isWhite(p); }), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleSystemTest, MovingTheEmitterCarriesTheLiveCloudAlong)
{
    start(glm::vec3(0.0f));
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateAndDrawParticles(viewProj, 0.0f);
    const int seenAtOrigin = Picture().countWhere([](Rgb p) { return !isWhite(p); });

    setEmitterPosition(glm::vec3(0.0f, 0.0f, 40.0f)); // behind the camera
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    updateAndDrawParticles(viewProj, 0.0f);
    EXPECT_EQ(particleSystem().particleCount, 10u);
    EXPECT_GT(seenAtOrigin, 20);
    EXPECT_EQ(Picture().countWhere([](Rgb p) { return !isWhite(p); }), 0);
}
