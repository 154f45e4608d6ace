#pragma once

#include "game/game_session.h"
#include "game/held_clock.h"
#include "physics/kitchen_actors.h"
#include "present/game_sounds.h"
#include "present/ghost.h"
#include "present/hud.h"
#include "present/kitchen_scene.h"
#include "render/lights.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"
#include "render/procedural_surface.h"
#include "render/scene_pass.h"
#include "render/screen_dimmer.h"
#include "render/text_renderer.h"
#include "runs/run_viewer.h"
#include "shell/game_main.h"

#include <memory>
#include <string>

class BestScore;
class RunKeeper;
class PassInputs;
class Shader;
class SoundCapture;
struct Settings;

// The game's resources and one frame's drawing and update. The members are made in the game's
// fixed start-up order and released in the reverse order, before the framework, physics and the
// window go.
class RunningGame {
  public:
    // With a capture, the sounds are mixed on a loopback device that it records.
    RunningGame(const Settings& settings, BestScore& best, FrameObserver* observer,
                SoundCapture* capture = nullptr);
    ~RunningGame();
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // Before the first pass: the first time sample.
    void start(double now) { session.start(now); }

    // The scene, the particles, the water, post-processing and the HUD, into the back buffer.
    // The pass's clock is sampled once, for the water's waves.
    void drawFrame(PassInputs& inputs);

    // The session's update with the pass's inputs, then the player model follows and the
    // sounds hear the pass.
    PassResult updateFrame(PassInputs& inputs);

    GameSession& gameSession() { return session; }

    // How the attempt stands.
    RunSummary summary() const;

    // The HUD shows the race against the best run and the records this keeper keeps.
    void raceWith(const RunKeeper& runKeeper) { keeper = &runKeeper; }

    // From now on the ghost shows this run's kept attempt.
    void showGhostOf(const RunRecording& run) { ghost.follow(GhostTrack(run)); }

    // The frame time of the latest time sample: during the events of a pass, that pass's.
    float deltaTime() const { return session.deltaTime(); }

    // The replay viewer's run, and how it is shown: the follow camera or a free orbit camera
    // of its own, whose switch and mouse are the watcher's and not the run's.
    RunViewer& viewer() { return watching; }
    struct WatchView {
        std::string run; // "best" or "last", as the HUD names it
        bool orbit = false;
        bool leftMouseDown = false;
        bool rightMouseDown = false;
        float orbitZoom = 12.0f;
        double seconds = 0.0; // of the run, played in the last frame
    };
    WatchView& watchView() { return watch; }
    OrbitCamera& watchCamera() { return freeCamera; }
    // After a frame's passes of the watched run: the player's model, the sounds.
    void watchedPassesEnd();
    // The player's model at the start, or where the foot stands.
    void placePlayerModel(bool atStart);

  private:
    void drawScene();
    void drawHud();
    glm::mat4 activeViewProjection() const;
    bool showsFollowCamera() const;
    const OrbitCamera& shownOrbitCamera() const;
    void hearFrame(const AttemptOutcome& ended);

    const Settings& settings;
    BestScore& best;
    FrameObserver* const observer;
    std::shared_ptr<Shader> textured;
    std::shared_ptr<Shader> lightMapped;
    std::shared_ptr<Shader> text;
    TextRenderer textRenderer;
    KitchenScene kitchen;
    ProceduralSurface water;
    KitchenActors actors; // the kitchen's models are bound to them
    OrbitCamera orbitCamera;
    PlayerCamera playerCamera;
    PointLight pointLight;
    DirectionalLight directionalLight;
    ScenePass scenePass;
    PhysicsActor* hazard; // its particle stream follows it
    GameSounds sounds;    // after the hazard: its hops are heard beside the particles' move
    SoundCapture* const capture;
    GameSession session;
    RunViewer watching{session};
    OrbitCamera freeCamera; // the viewer's
    WatchView watch;
    HudDrawer hudDrawer;
    ScreenDimmer dimmer; // the paused game's veil
    HeldClock waterClock;
    std::string pauseKeyName; // as the pause's line names it
    Ghost ghost;
    const RunKeeper* keeper = nullptr;
    int drawnModels = 0;
};
