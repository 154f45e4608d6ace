#include "shell/running_game.h"

#include "audio/sound_capture.h"
#include "game/best_score.h"
#include "game/game_state.h"
#include "game/input_state.h"
#include "game/key_names.h"
#include "game/pass_input.h"
#include "game/race_time.h"
#include "game/scene_cameras.h"
#include "game/settings.h"
#include "game/world_start.h"
#include "physics/level_layout.h"
#include "physics/obstacles.h"
#include "physics/player.h"
#include "present/time_attack_hud.h"
#include "render/particle_system.h"
#include "render/per_frame_uniforms.h"
#include "render/shader.h"
#include "render/visible_drawables.h"
#include "runs/run_keeper.h"

#include <glm/gtc/matrix_transform.hpp>

#include <iostream>

namespace {

// How much of its brightness a paused game's picture keeps under the pause's words.
constexpr float pausedBrightness = 0.45f;

// The physics world with the kitchen's actors, and the kitchen's models bound to them as they
// are made.
KitchenActors startKitchen(KitchenScene& kitchen)
{
    return startPhysicsWorld(
        [&kitchen](const KitchenActors& actors) { kitchen.buildModels(actors); });
}

// The particles' start-up draws and the particle system on the GPU with them, then the hazard;
// the particle stream follows the hazard's hops.
PhysicsActor* startHazardMarker()
{
    PhysicsActor* const hazard = startParticlesAndHazard([](const StartupParticles& particles) {
        createParticleSystem(level::hazardSpots[0], particles);
        createParticlePrograms();
    });
    obstacles.hopListener = [](const glm::vec3& spot) { setEmitterPosition(spot); };
    return hazard;
}

} // namespace

RunningGame::RunningGame(const Settings& settings, BestScore& best, FrameObserver* observer,
                         SoundCapture* capture)
    : settings(settings), best(best), observer(observer),
      textured(std::make_shared<Shader>("texture.vert", "texture.frag")),
      lightMapped(std::make_shared<Shader>("texture.vert", "texture_lm.frag")),
      text(std::make_shared<Shader>("text.vert", "text.frag")),
      textRenderer(createTextRenderer(text, static_cast<float>(settings.width),
                                      static_cast<float>(settings.height))),
      kitchen(textured, lightMapped), water(), actors(startKitchen(kitchen)),
      orbitCamera(startOrbitCamera(settings)), playerCamera(startPlayerCamera(settings)),
      pointLight(kitchenPointLight()), directionalLight(kitchenDirectionalLight()),
      scenePass(settings.width, settings.height, settings.near, settings.far),
      hazard(startHazardMarker()),
      sounds(capture != nullptr ? SoundMixer::Output::loopback : SoundMixer::Output::speakers,
             settings.musicVolume, settings.effectsVolume),
      capture(capture), session(best.value, playerCamera, orbitCamera),
      freeCamera(startOrbitCamera(settings)), ghost(kitchen.playerModel())
{
    water.transformation = waterTransformation();
    pauseKeyName = keyName(settings.keys.boundTo(BoundAction::pause));
    ghost.follow(ghostOfBestRun(bestRunFile(best.path())));
    session.setObserver(observer);
    if (capture != nullptr) {
        capture->attach(&sounds.mixer());
    }
}

RunningGame::~RunningGame()
{
    if (capture != nullptr) {
        capture->attach(nullptr);
    }
    releaseParticleSystem();
}

bool RunningGame::showsFollowCamera() const
{
    return watching.isOpen() ? !watch.orbit : input.followCamera;
}

const OrbitCamera& RunningGame::shownOrbitCamera() const
{
    return watching.isOpen() ? freeCamera : orbitCamera;
}

glm::mat4 RunningGame::activeViewProjection() const
{
    return showsFollowCamera() ? playerCamera.viewProjection()
                               : shownOrbitCamera().viewProjection();
}

// Into the off-screen target (the window itself in wireframe mode): the culled models, then
// the ones drawn every frame.
void RunningGame::drawScene()
{
    markDrawPass(observer, DrawPass::Scene);
    scenePass.bindRenderTarget(input.wireframe);
    setPerFrameUniforms(*textured, shownOrbitCamera(), playerCamera, directionalLight, pointLight,
                        settings.brightness, showsFollowCamera(), input.toon);
    setPerFrameUniforms(*lightMapped, shownOrbitCamera(), playerCamera, directionalLight,
                        pointLight, settings.brightness, showsFollowCamera(), input.toon);
    markPhase(observer, FramePhase::SceneDraw);
    const auto draw = [](Geometry& model) { model.draw(glm::mat4(1.0f)); };
    // With an observer, the culled list's draws are split into the tests and the draws.
    const auto drawTimed = [this](Geometry& model) {
        markPhase(observer, FramePhase::Culling);
        model.draw(glm::mat4(1.0f));
        markPhase(observer, FramePhase::SceneDraw);
    };
    std::vector<Geometry*>& drawables = kitchen.drawables();
    drawnModels = observer != nullptr
                      ? drawVisibleModels(drawables, playerCamera, input.frustumCulling, drawTimed)
                      : drawVisibleModels(drawables, playerCamera, input.frustumCulling, draw);
    markPhase(observer, FramePhase::Culling);
    for (Geometry* model : kitchen.alwaysDrawn()) {
        draw(*model);
    }
    markPhase(observer, FramePhase::SceneDraw);
}

void RunningGame::drawHud()
{
    HudInputs hud;
    hud.secondsLeft = session.attempt().secondsLeft();
    hud.deltaTime = session.measuredFrameTime();
    hud.drawnModels = drawnModels;
    hud.debugText = input.debugText;
    hud.dead = outcome.dead;
    hud.timeUp = outcome.timeUp;
    hud.won = outcome.won;
    hud.bestShown = session.attempt().bestShown;
    hud.width = settings.width;
    hud.height = settings.height;
    if (keeper != nullptr) {
        hud.timeAttack = timeAttackOf(session, *keeper);
    }
    hud.paused = input.paused;
    hud.pauseKey = pauseKeyName;
    if (watching.isOpen()) {
        hud.replay = {true, watch.run, raceMilliseconds(session.attempt().playTime),
                      watching.speed(), watching.isHeld()};
    }
    hud.practice = keeper != nullptr && keeper->practising();
    markDrawPass(observer, DrawPass::Hud);
    if (hud.paused) {
        dimmer.dim(pausedBrightness);
    }
    hudDrawer.draw(hud, textRenderer);
    markDrawPass(observer, DrawPass::Done);
    markPhase(observer, FramePhase::Hud);
}

void RunningGame::drawFrame(PassInputs& inputs)
{
    drawScene();
    markDrawPass(observer, DrawPass::Particles);
    // After a pass of a pause, or while a watched run is held, the particles and the waves
    // stand as they were.
    const bool held = watching.isOpen() ? watching.isHeld() : session.lastPassFrozen();
    if (held) {
        drawParticles(activeViewProjection());
    } else {
        updateAndDrawParticles(activeViewProjection(), watching.isOpen()
                                                           ? static_cast<float>(watch.seconds)
                                                           : session.deltaTime());
    }
    markPhase(observer, FramePhase::Particles);
    markDrawPass(observer, DrawPass::Water);
    water.draw(activeViewProjection(),
               static_cast<float>(waterClock.shown(inputs.drawSample(), held)));
    ghost.draw(session.attempt().playTime);
    markPhase(observer, FramePhase::Procedural);
    markDrawPass(observer, DrawPass::PostProcess);
    if (!input.wireframe) {
        scenePass.postProcess(input.outlines, outcome.dead || outcome.timeUp);
    }
    markPhase(observer, FramePhase::PostProcess);
    drawHud();
}

PassResult RunningGame::updateFrame(PassInputs& inputs)
{
    const PassResult result = session.update(inputs, std::cout);
    if (result.playerMoved) {
        kitchen.playerModel().setTransform(glm::translate(glm::mat4(1.0f), glm::vec3(result.foot)));
    }
    if (result.restarted) {
        kitchen.playerModel().resetModelMatrix();
    }
    markPhase(observer, FramePhase::PlayerMove);
    sounds.setPaused(input.paused);
    hearFrame(result.ended);
    markPhase(observer, FramePhase::Audio);
    return result;
}

void RunningGame::hearFrame(const AttemptOutcome& ended)
{
    if (showsFollowCamera()) {
        sounds.update(playerCamera.getView(), playerCamera.getProjection(), session.attempt(),
                      ended);
    } else {
        sounds.update(shownOrbitCamera().getView(), shownOrbitCamera().getProjection(),
                      session.attempt(), ended);
    }
}

void RunningGame::placePlayerModel(bool atStart)
{
    if (atStart) {
        kitchen.playerModel().resetModelMatrix();
    } else {
        kitchen.playerModel().setTransform(
            glm::translate(glm::mat4(1.0f), glm::vec3(playerFoot())));
    }
}

void RunningGame::watchedPassesEnd()
{
    placePlayerModel(watching.passesPlayed() == 0);
    sounds.setPaused(watching.isHeld());
    hearFrame(watching.takeReached());
}

RunSummary RunningGame::summary() const
{
    return RunSummary{outcome.dead, outcome.won, outcome.timeUp, session.attempt().secondsLeft(),
                      best.value};
}
