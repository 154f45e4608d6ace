#include "app/game_main.h"

#include "app/acknowledge.h"
#include "app/frame_timer.h"
#include "app/settings.h"
#include "app/settings_reader.h"
#include "render/framework.h"
#include "render/shader.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <memory>
#include <string>

namespace {

struct Window {
    GLFWwindow* handle = nullptr;
};

// Opens the window and its 4.3 core context and loads the GL entry points. Returns the failure
// text, or nullptr on success. GLFW is terminated on every failure after glfwInit.
const char* openWindow(const Settings& settings, Window& window)
{
    if (glfwInit() == 0) {
        return "Failed to init GLFW";
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_REFRESH_RATE, 30);

    GLFWmonitor* monitor = settings.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    window.handle =
        glfwCreateWindow(settings.width, settings.height, settings.title.c_str(), monitor, nullptr);
    if (window.handle == nullptr) {
        glfwTerminate();
        return "Failed to create window";
    }
    glfwMakeContextCurrent(window.handle);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return "Failed to init GLEW";
    }
    return nullptr;
}

} // namespace

int runGame(const RunOptions& options)
{
    const auto clock = options.clock ? options.clock : [] { return glfwGetTime(); };
    const auto pollEvents =
        options.pollEvents ? options.pollEvents : [](GLFWwindow*) { glfwPollEvents(); };

    // 1-2. Settings.
    auto reader = std::make_unique<SettingsReader>("assets/settings.ini");
    if (reader->parseError() < 0) {
        reportFatal("Failed to load 'settings.ini'");
        return 1;
    }
    const Settings settings = readSettings(*reader);

    // 3. Best score (loaded here once the best-score record exists).

    // 4-7. Window, context, GL entry points.
    Window window;
    if (const char* failure = openWindow(settings, window)) {
        reportFatal(failure);
        return 1;
    }

    // 8. Framework start-up.
    if (!initFramework()) {
        glfwTerminate();
        reportFatal("Failed to init framework");
        return 1;
    }
    // 9. Input callbacks.

    // 10. Initial GL state.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    // 11. The game's resources, in their fixed order.
    // 11.1 The shader programs; a file that is missing or does not build ends the program.
    auto textureShader = std::make_shared<Shader>("texture.vert", "texture.frag");
    auto lightMappedShader = std::make_shared<Shader>("texture.vert", "texture_lm.frag");
    auto textShader = std::make_shared<Shader>("text.vert", "text.frag");

    // 12. The frame loop.
    FrameTimer timer;
    timer.start(clock());
    while (glfwWindowShouldClose(window.handle) == 0) {
        if (options.beginPass) {
            options.beginPass(window.handle);
        }
        // 1. Render target and clear.
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // 2-4. Per-frame uniforms, the models, particles and the procedural surface.
        // 5. Post-processing.
        // 6. HUD.
        // 7. Obstacles.
        // 8. Time sample.
        timer.sample(clock());
        // 9. Physics gate.
        if (timer.physicsDue()) {
            // one fixed physics step
        }
        // 10. Window events.
        pollEvents(window.handle);
        // 11. Player move while playing. 12. Outcome. 13. Orbit camera. 14. Restart.
        // 15. Present.
        if (options.beforeSwap) {
            options.beforeSwap(window.handle);
        }
        glfwSwapBuffers(window.handle);
        // 16. Close test: the loop condition.
    }

    if (options.onFinish) {
        options.onFinish(RunSummary{});
    }

    // Shutdown, in the reverse order of start-up.
    textShader.reset();
    lightMappedShader.reset();
    textureShader.reset();
    destroyFramework();
    glfwTerminate();
    return 0;
}
