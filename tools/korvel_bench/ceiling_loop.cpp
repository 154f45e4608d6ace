#include "ceiling_loop.h"

#include "figure_lines.h"
#include "process_measures.h"

#include "game/settings.h"
#include "shell/settings_reader.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace {

Settings gameSettings()
{
    SettingsReader reader("assets/settings.ini");
    return readSettings(reader);
}

// A window with the game's context hints; nothing when there is none to be had.
GLFWwindow* openGameLikeWindow(const Settings& settings)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(settings.width, settings.height, "ceiling", nullptr, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(window);
        return nullptr;
    }
    return window;
}

// Seconds taken by frames empty frames, once the window and the swap chain have settled.
double emptyFramesSeconds(GLFWwindow* window, long frames)
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (int i = 0; i < 10; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(window);
        glfwPollEvents();
    }
    const double start = monotonicSeconds();
    for (long i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        glfwSwapBuffers(window);
    }
    return monotonicSeconds() - start;
}

} // namespace

int runCeiling(long frames)
{
    const Settings settings = gameSettings();
    if (glfwInit() == 0) {
        return 1;
    }
    GLFWwindow* window = openGameLikeWindow(settings);
    if (window == nullptr) {
        glfwTerminate();
        return 1;
    }
    const double seconds = emptyFramesSeconds(window, frames);
    writeFigure(Figure::Renderer, reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    writeFigure(Figure::Width, settings.width);
    writeFigure(Figure::Height, settings.height);
    writeFigure(Figure::CeilingFps, static_cast<double>(frames) / seconds);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
