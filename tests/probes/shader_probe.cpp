// Builds one of the GL programs that are made from shader files outside the Shader class, in
// the working directory's assets/, and exits 0 when it got through. Tests run it in a folder
// with a missing or broken shader file and watch how it ends.
#include "render/particle_system.h"
#include "render/procedural_surface.h"
#include "render/shader_failure.h"
#include "shell/acknowledge.h"

#include "support/gl_context.h"

#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cout << "usage: korvel_shader_probe particles|procedural" << std::endl;
        return 2;
    }
    GlContext context(16, 16);
    try {
        if (std::strcmp(argv[1], "particles") == 0) {
            createParticleSystem(glm::vec3(0.0f), startupParticles(glm::vec3(0.0f)));
            createParticlePrograms();
            releaseParticleSystem();
        } else {
            ProceduralSurface surface;
        }
    } catch (const ShaderFailure& failure) {
        endStartup(failure.what()); // as the game ends its start-up
    }
    std::cout << "built" << std::endl;
    return 0;
}
