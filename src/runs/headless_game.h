#pragma once

#include "game/best_score.h"
#include "game/game_session.h"
#include "game/pass_input.h"
#include "physics/obstacles.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"
#include "runs/route.h"

#include <filesystem>
#include <functional>
#include <string>

// The whole game without a window: the physics world in the game's start-up order, the
// cameras, the session, and a route's key events applied by the same input rules as the
// window's. For tests and for designing routes: the outcome of a route is the one the real
// game reaches on the same virtual clock.
class RunKeeper;

class HeadlessGame {
  public:
    // The best score is read from the file and a new one saved in it; an empty path keeps none.
    explicit HeadlessGame(const std::filesystem::path& scoreFile);
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    using Observer = std::function<void(long pass, const PassInput&, const PassResult&)>;

    // Runs passes on a virtual clock until the given game time, delivering the route's events
    // in their passes; a new best score is saved as the game saves it. Calls observe (if given)
    // after each pass.
    void run(const Route& route, double frameTime, double until, const Observer& observe = {});

    // The same for any source of a pass's inputs, for this many passes: its clock is sampled as
    // the game samples it, for the water's draw and for the update. Given a snapshot, the first
    // attempt starts from it; returns why it cannot (and plays nothing), or an empty text.
    std::string play(InputSource& source, long passes, const Observer& observe = {},
                     const AttemptSnapshot* startFrom = nullptr);

    // From the next play on, runs are kept as the game keeps them: started with the session,
    // told of every pass, and finished when the play ends.
    void keepRuns(RunKeeper* runKeeper) { keeper = runKeeper; }

    const GameSession& session() const { return gameSession; }
    GameSession& session() { return gameSession; }
    const KnifeActors& knives() const { return knifeActors; }
    PhysicsActor* hazard() const { return hazardActor; }

  private:
    BestScore best;
    PlayerCamera playerCamera;
    OrbitCamera orbitCamera;
    GameSession gameSession;
    KnifeActors knifeActors{};
    PhysicsActor* hazardActor = nullptr;
    RunKeeper* keeper = nullptr;
};
