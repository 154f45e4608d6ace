#include "render/particle_startup.h"

#include "render/standard_rand.h"

#include <cmath>
#include <numbers>

// Their positions include the emitter position although the emitter matrix adds it again: the
// start-up cloud appears offset by the emitter position once more.
StartupParticles startupParticles(glm::vec3 emitter)
{
    StartupParticles ring{};
    for (Particle& particle : ring) {
        const double angle = standardRand() / 16383.0 * std::numbers::pi;
        const double distance = standardRand() / 10922.333;
        particle.position =
            glm::vec4(static_cast<float>(emitter.x + distance * std::cos(angle)), emitter.y,
                      static_cast<float>(emitter.z + distance * std::sin(angle)),
                      static_cast<float>((distance + 3.3333334e-9) * 0.5));
        particle.state = glm::vec4(0.0f);
    }
    return ring;
}
