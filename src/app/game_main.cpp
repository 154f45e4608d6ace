#include "app/game_main.h"

#include "app/acknowledge.h"
#include "app/best_score.h"
#include "app/frame_phases.h"
#include "app/game_session.h"
#include "app/game_state.h"
#include "app/hud.h"
#include "app/hud_layout.h"
#include "app/input_callbacks.h"
#include "app/input_state.h"
#include "app/kitchen_scene.h"
#include "app/scene_cameras.h"
#include "app/settings.h"
#include "app/settings_reader.h"
#include "physics/level_layout.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "render/framework.h"
#include "render/lights.h"
#include "render/orbit_camera.h"
#include "render/particle_system.h"
#include "render/per_frame_uniforms.h"
#include "render/player_camera.h"
#include "render/procedural_surface.h"
#include "render/scene_pass.h"
#include "render/shader.h"
#include "render/shader_failure.h"
#include "render/text_renderer.h"
#include "render/visible_drawables.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <glm/gtc/matrix_transform.hpp>

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

glm::mat4 activeViewProjection(const PlayerCamera& playerCamera, const OrbitCamera& orbitCamera)
{
    return followCamera ? playerCamera.viewProjection() : orbitCamera.viewProjection();
}

} // namespace

static int playGame(const RunOptions& options)
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
        // The game's resources, in their fixed order. They are locals of this block, so they are
        // released in the reverse order before the framework, physics and the window go.
        auto textured = std::make_shared<Shader>("texture.vert", "texture.frag");
        auto lightMapped = std::make_shared<Shader>("texture.vert", "texture_lm.frag");
        auto text = std::make_shared<Shader>("text.vert", "text.frag");
        TextRenderer textRenderer = createTextRenderer(text, static_cast<float>(settings.width),
                                                       static_cast<float>(settings.height));

        KitchenScene kitchen(textured, lightMapped);
        ProceduralSurface water;
        water.transformation = waterTransformation();

        initPhysics();
        kitchen.buildModels();
        createWorld();

        OrbitCamera orbitCamera = startOrbitCamera(settings);
        PlayerCamera playerCamera = startPlayerCamera(settings);
        const PointLight pointLight = kitchenPointLight();
        const DirectionalLight directionalLight = kitchenDirectionalLight();

        ScenePass scenePass(settings.width, settings.height);

        // The particles draw their start-up positions from std::rand before the hazard's
        // first hop does: the hazard's spots depend on that order.
        createParticleSystem(level::hazardSpots[0]);
        createParticlePrograms();
        createHazard();
        setHazardHopListener([](const glm::vec3& spot) { setEmitterPosition(spot); });

        GameSession session(best, playerCamera, orbitCamera);
        FramePhases* const phases = options.phases;
        HudDrawer hudDrawer;
        session.setPhases(phases);
        session.start(clock());
        std::vector<Geometry*>& drawables = kitchen.drawables();
        const std::array<Geometry*, 6> alwaysDrawn = kitchen.alwaysDrawn();
        const auto draw = [](Geometry& model) { model.draw(glm::mat4(1.0f)); };
        const auto passStarts = [&options](DrawPass pass) {
            if (options.passStarts) {
                options.passStarts(pass);
            }
        };
        // With a recorder, the culled list's draws are split into the tests and the draws.
        const auto drawTimed = [phases](Geometry& model) {
            markPhase(phases, FramePhase::Culling);
            model.draw(glm::mat4(1.0f));
            markPhase(phases, FramePhase::SceneDraw);
        };

        while (glfwWindowShouldClose(window) == 0) {
            if (options.beginPass) {
                options.beginPass(window);
            }
            if (phases != nullptr) {
                phases->begin();
            }
            // The scene: into the off-screen target (the window itself in wireframe mode).
            passStarts(DrawPass::Scene);
            scenePass.bindRenderTarget(wireframe);
            setPerFrameUniforms(*textured, orbitCamera, playerCamera, directionalLight, pointLight,
                                settings.brightness, followCamera, toon);
            setPerFrameUniforms(*lightMapped, orbitCamera, playerCamera, directionalLight,
                                pointLight, settings.brightness, followCamera, toon);
            markPhase(phases, FramePhase::SceneDraw);
            const int drawnModels =
                phases != nullptr
                    ? drawVisibleModels(drawables, playerCamera, frustumCulling, drawTimed)
                    : drawVisibleModels(drawables, playerCamera, frustumCulling, draw);
            markPhase(phases, FramePhase::Culling);
            for (Geometry* model : alwaysDrawn) {
                draw(*model);
            }
            markPhase(phases, FramePhase::SceneDraw);
            passStarts(DrawPass::Particles);
            updateAndDrawParticles(activeViewProjection(playerCamera, orbitCamera),
                                   session.deltaTime());
            markPhase(phases, FramePhase::Particles);
            passStarts(DrawPass::Water);
            water.draw(activeViewProjection(playerCamera, orbitCamera),
                       static_cast<float>(clock()));
            markPhase(phases, FramePhase::Procedural);
            passStarts(DrawPass::PostProcess);
            if (!wireframe) {
                scenePass.postProcess(outlines, dead || timeUp);
            }
            markPhase(phases, FramePhase::PostProcess);
            HudInputs hud;
            hud.secondsLeft = session.attempt().secondsLeft();
            hud.deltaTime = session.deltaTime();
            hud.drawnModels = drawnModels;
            hud.debugText = debugText;
            hud.dead = dead;
            hud.timeUp = timeUp;
            hud.won = won;
            hud.bestShown = session.attempt().bestShown;
            hud.width = settings.width;
            hud.height = settings.height;
            passStarts(DrawPass::Hud);
            hudDrawer.draw(hud, textRenderer);
            passStarts(DrawPass::Done);
            markPhase(phases, FramePhase::Hud);

            const GameSession::PassResult result = session.update(
                clock, [&] { pollEvents(window); },
                [&](int& x, int& y) {
                    double cursorX = 0.0;
                    double cursorY = 0.0;
                    glfwGetCursorPos(window, &cursorX, &cursorY);
                    x = static_cast<int>(cursorX);
                    y = static_cast<int>(cursorY);
                });
            if (result.playerMoved) {
                kitchen.playerModel().setTransform(
                    glm::translate(glm::mat4(1.0f), glm::vec3(result.foot)));
            }
            if (result.restarted) {
                kitchen.playerModel().resetModelMatrix();
            }

            if (options.beforeSwap) {
                options.beforeSwap(window);
            }
            markPhase(phases, FramePhase::PlayerMove);
            glfwSwapBuffers(window);
            markPhase(phases, FramePhase::Swap);
        }

        if (options.onFinish) {
            options.onFinish(
                RunSummary{dead, won, timeUp, session.attempt().secondsLeft(), best.value});
        }
        releaseParticleSystem();
    }

    destroyFramework();
    cleanupPhysics();
    glfwTerminate();
    return 0;
}

// A shader that cannot be built ends start-up with its lines, before any frame is drawn.
int runGame(const RunOptions& options)
{
    try {
        return playGame(options);
    } catch (const ShaderFailure& failure) {
        endStartup(failure.what());
    }
}
