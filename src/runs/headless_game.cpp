#include "runs/headless_game.h"

#include "game/game_state.h"
#include "game/input_state.h"
#include "game/scene_cameras.h"
#include "game/settings.h"
#include "game/world_start.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "runs/route_input.h"
#include "runs/run_keeper.h"

#include <cstdlib>
#include <sstream>

HeadlessGame::HeadlessGame(const std::filesystem::path& scoreFile)
    : best(scoreFile), playerCamera(startPlayerCamera(Settings{})),
      orbitCamera(startOrbitCamera(Settings{})), gameSession(best.value, playerCamera, orbitCamera)
{
    // A game in this process may follow an earlier one, whose program-wide state lives on.
    // Make it anew as a freshly started program has it, the unseeded rand sequence included
    // (it picks the hazard's spots), so a route's outcome never depends on what ran before.
    std::srand(1);
    input = InputState{};
    playerMotion = PlayerMotion{};
    outcome = AttemptOutcome{};
    obstacles = ObstacleState{};
    knifeActors = startPhysicsWorld().knives;
    hazardActor = startParticlesAndHazard();
}

HeadlessGame::~HeadlessGame()
{
    cleanupPhysics();
}

void HeadlessGame::run(const Route& route, double frameTime, double until, const Observer& observe)
{
    RouteInput script(route, frameTime);
    play(script, passForTime(until, frameTime) + 1, observe);
}

std::string HeadlessGame::play(InputSource& source, long passes, const Observer& observe,
                               const AttemptSnapshot* startFrom)
{
    std::ostringstream discardedLog;
    PassInputs inputs(source);
    gameSession.start(inputs.startSample());
    if (startFrom != nullptr) {
        if (std::string why = gameSession.startFrom(*startFrom); !why.empty()) {
            return why;
        }
    }
    if (keeper != nullptr) {
        keeper->start(gameSession);
    }
    for (long pass = 0; pass < passes; ++pass) {
        inputs.begin();
        inputs.drawSample(); // as if the water were drawn, so a recording's samples line up
        const PassResult result = gameSession.update(inputs, discardedLog);
        if (result.newBest && !best.path().empty()) {
            best.save(*result.newBest);
        }
        if (keeper != nullptr) {
            keeper->passEnds(inputs.taken(), result, gameSession);
        }
        if (observe) {
            observe(pass, inputs.taken(), result);
        }
    }
    if (keeper != nullptr) {
        keeper->loopEnds(gameSession);
    }
    return {};
}
