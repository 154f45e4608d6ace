#include "shell/game_main.h"

#include "shell/acknowledge.h"
#include "game/best_score.h"
#include "game/frame_phases.h"
#include "input/gamepad_poll.h"
#include "input/input_callbacks.h"
#include "game/input_state.h"
#include "runs/run_keeper.h"
#include "runs/run_recorder.h"
#include "shell/running_game.h"
#include "shell/screenshot.h"
#include "shell/settings.h"
#include "shell/settings_reader.h"
#include "physics/physics_world.h"
#include "render/back_buffer.h"
#include "render/framework.h"
#include "render/shader_failure.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>
#include <memory>
#include <string>

namespace {

// Opens the window and its 4.3 core context and loads the GL entry points. Returns the failure
// text, or nullptr on success. GLFW is terminated on every failure after glfwInit.
const char* openWindow(const Settings& settings, GLFWwindow*& window)
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
    window =
        glfwCreateWindow(settings.width, settings.height, settings.title.c_str(), monitor, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return "Failed to create window";
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return "Failed to init GLEW";
    }
    if (!initFramework()) {
        glfwTerminate();
        return "Failed to init framework";
    }
    return nullptr;
}

// The cursor position in whole window pixels.
void readCursor(GLFWwindow* window, int& x, int& y)
{
    double cursorX = 0.0;
    double cursorY = 0.0;
    glfwGetCursorPos(window, &cursorX, &cursorY);
    x = static_cast<int>(cursorX);
    y = static_cast<int>(cursorY);
}

// F12's picture: the frame just drawn, still in the back buffer, is the one the player sees.
void takeScreenshot(GLFWwindow* window)
{
    input.screenshotRequested = false;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    const std::filesystem::path folder = screenshotFolder(screenshotEnvironment());
    if (const auto file = saveScreenshot(folder, width, height, readBackBuffer(width, height))) {
        std::cout << "Screenshot: " << file->string() << std::endl;
    } else {
        std::cerr << "korvel: could not save a screenshot in " << folder.string() << std::endl;
    }
}

// Frames until the window is asked to close, then the summary for onFinish.
RunSummary runFrames(GLFWwindow* window, RunningGame& game, const RunOptions& options,
                     RunKeeper& keeper, const std::function<void(GLFWwindow*)>& pollEvents)
{
    FrameObserver* const observer = options.observer;
    // The pad is read where the window's events are, and its events follow the keyboard's.
    // Made once, so a pass allocates nothing for it.
    GamepadKeys pad;
    const std::function<void()> pollInput = [&] {
        pollEvents(window);
        pollGamepad(window, pad, game.deltaTime());
    };
    const std::function<void(int&, int&)> cursor = [window, &options](int& x, int& y) {
        if (options.cursor) {
            options.cursor(window, x, y);
        } else {
            readCursor(window, x, y);
        }
        recordCursor(x, y);
    };
    game.start(keeper.start());
    while (glfwWindowShouldClose(window) == 0) {
        if (options.beginPass) {
            options.beginPass(window);
        }
        if (observer != nullptr) {
            observer->passBegins();
        }
        keeper.passBegins();
        if (!options.drawsPass || options.drawsPass()) {
            game.drawFrame(keeper.drawClock);
        } else {
            keeper.drawClock(); // the clock is sampled as if the water were drawn
        }
        keeper.passEnds(game.updateFrame(keeper.updateClock, pollInput, cursor).restarted);
        if (input.screenshotRequested) {
            takeScreenshot(window);
        }
        if (options.beforeSwap) {
            options.beforeSwap(window);
        }
        markPhase(observer, FramePhase::PlayerMove);
        glfwSwapBuffers(window);
        markPhase(observer, FramePhase::Swap);
    }
    keeper.loopEnds();
    return game.summary();
}

int playGame(const RunOptions& options)
{
    const auto clock = options.clock ? options.clock : [] { return glfwGetTime(); };
    const auto pollEvents =
        options.pollEvents ? options.pollEvents : [](GLFWwindow*) { glfwPollEvents(); };

    auto reader = std::make_unique<SettingsReader>("assets/settings.ini");
    if (reader->parseError() < 0) {
        reportFatal("Failed to load 'settings.ini'");
        return 1;
    }
    const Settings settings = readSettings(*reader);
    BestScore best;

    GLFWwindow* window = nullptr;
    if (const char* failure = openWindow(settings, window)) {
        reportFatal(failure);
        return 1;
    }
    installInputCallbacks(window);

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    {
        // The game's resources live in this block, so they are released before the framework,
        // physics and the window go.
        RunningGame game(settings, best, options.observer, options.soundCapture);
        RunKeeper keeper(game, best.path(), clock);
        const RunSummary summary = runFrames(window, game, options, keeper, pollEvents);
        if (options.onFinish) {
            options.onFinish(summary);
        }
    }

    destroyFramework();
    cleanupPhysics();
    glfwTerminate();
    return 0;
}

} // namespace

// A shader that cannot be built ends start-up with its lines, before any frame is drawn.
int runGame(const RunOptions& options)
{
    try {
        return playGame(options);
    } catch (const ShaderFailure& failure) {
        endStartup(failure.what());
    }
}
