#include "shell/game_main.h"

#include "game/best_score.h"
#include "game/frame_phases.h"
#include "game/input_state.h"
#include "game/pass_input.h"
#include "game/settings.h"
#include "input/window_input.h"
#include "physics/physics_world.h"
#include "render/back_buffer.h"
#include "render/framework.h"
#include "render/gl_state.h"
#include "render/shader_failure.h"
#include "runs/run_keeper.h"
#include "shell/acknowledge.h"
#include "shell/replay_viewer.h"
#include "shell/running_game.h"
#include "shell/screenshot.h"
#include "shell/settings_reader.h"

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
    if (!loadGlEntryPoints()) {
        glfwTerminate();
        return "Failed to init GLEW";
    }
    if (!initFramework()) {
        glfwTerminate();
        return "Failed to init framework";
    }
    return nullptr;
}

// F12's picture: the frame just drawn, still in the back buffer, is the one the player sees.
void takeScreenshot(GLFWwindow* window)
{
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

// What the window and GL are asked for by a pass's events.
void applyInputEffects(GLFWwindow* window, const InputEffects& effects)
{
    if (effects.closeWindow) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
    if (effects.polygonModeChanged) {
        setWireframe(input.wireframe);
    }
    if (effects.faceCullingChanged) {
        setFaceCulling(input.backfaceCulling);
    }
}

// A frame of the replay viewer asks only of the window and GL.
void applyViewerEffects(GLFWwindow* window, const InputEffects& effects)
{
    applyInputEffects(window, effects);
    if (effects.screenshotRequested) {
        takeScreenshot(window);
    }
}

// The files and the window react to what a pass did: the best score first, then the runs kept
// beside it, then the picture of the frame the pass drew.
void keepPass(GLFWwindow* window, RunningGame& game, BestScore& best, RunKeeper& keeper,
              const PassInputs& inputs, const PassResult& result)
{
    applyInputEffects(window, result.effects);
    if (result.newBest) {
        best.save(*result.newBest);
    }
    keeper.passEnds(inputs.taken(), result, game.gameSession());
    if (result.effects.screenshotRequested) {
        takeScreenshot(window);
    }
}

// Frames until the window is asked to close, then the summary for onFinish.
RunSummary runFrames(GLFWwindow* window, InputSource& source, RunningGame& game, BestScore& best,
                     const RunOptions& options)
{
    FrameObserver* const observer = options.observer;
    PassInputs inputs(source);
    RunKeeper keeper(best.path());
    keeper.onNewBestRun = [&game](const RunRecording& run) { game.showGhostOf(run); };
    game.raceWith(keeper);
    game.start(inputs.startSample());
    if (options.startFrom != nullptr) {
        if (const std::string why = game.gameSession().startFrom(*options.startFrom);
            !why.empty()) {
            std::cerr << "korvel: the run cannot start here: " << why << std::endl;
            RunSummary refused = game.summary();
            refused.startRefused = true;
            return refused;
        }
        // The switches came with the snapshot; GL follows them as it follows their keys.
        setWireframe(input.wireframe);
        setFaceCulling(input.backfaceCulling);
    }
    keeper.start(game.gameSession());
    ReplayViewer viewer(game, keeper, best.path(), std::cout);
    while (glfwWindowShouldClose(window) == 0) {
        inputs.begin();
        if (observer != nullptr) {
            observer->passBegins();
        }
        if (!options.drawsPass || options.drawsPass()) {
            game.drawFrame(inputs);
        } else {
            inputs.drawSample(); // the clock is sampled as if the water were drawn
        }
        if (viewer.isOpen()) {
            applyViewerEffects(window, viewer.frame(inputs));
        } else {
            const bool practising = keeper.practising();
            const PassResult result = game.updateFrame(inputs);
            keepPass(window, game, best, keeper, inputs, result);
            if (result.restarted && practising) {
                applyInputEffects(window, viewer.practiceRestarted());
            }
            // A replay of a run plays the viewer's key as the run heard it, and opens nothing.
            if (result.effects.watchRequested && options.script == nullptr) {
                applyInputEffects(window, viewer.openFromPlay(inputs.taken().updateSample));
            }
        }
        if (options.beforeSwap) {
            options.beforeSwap(window);
        }
        markPhase(observer, FramePhase::PlayerMove);
        glfwSwapBuffers(window);
        markPhase(observer, FramePhase::Swap);
    }
    keeper.loopEnds(game.gameSession());
    return game.summary();
}

int playGame(const RunOptions& options)
{
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
    WindowInput windowInput(window, options.script, settings.keys);
    setStartState();
    bool refused = false;

    {
        // The game's resources live in this block, so they are released before the framework,
        // physics and the window go.
        RunningGame game(settings, best, options.observer, options.soundCapture);
        const RunSummary summary = runFrames(window, windowInput, game, best, options);
        if (options.onFinish && !summary.startRefused) {
            options.onFinish(summary);
        }
        refused = summary.startRefused;
    }

    destroyFramework();
    cleanupPhysics();
    glfwTerminate();
    return refused ? 1 : 0;
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
