#include "runs/headless_game.h"

#include "game/game_state.h"
#include "game/input_state.h"
#include "game/key_input.h"
#include "game/world_start.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"

#include <cstdlib>
#include <sstream>

HeadlessGame::HeadlessGame(const std::filesystem::path& scoreFile)
    : best(scoreFile), playerCamera({-7.0f, 5.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f},
                                    5.0f, 1.0f, 0.1f, 100.0f),
      orbitCamera(60.0f, 1.0f, 0.1f, 100.0f), gameSession(best, playerCamera, orbitCamera)
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

void HeadlessGame::run(const Route& route, double frameTime, double until,
                       const std::function<void(long, const GameSession::PassResult&)>& observe)
{
    std::ostringstream discardedLog;
    size_t nextEvent = 0;
    const long lastPass = passForTime(until, frameTime);
    gameSession.start(0.0);
    for (long pass = 0; pass <= lastPass; ++pass) {
        const auto deliverEvents = [&] {
            while (nextEvent < route.events.size() &&
                   passForTime(route.events[nextEvent].time, frameTime) <= pass) {
                const RouteEvent& event = route.events[nextEvent++];
                handleKeyEvent(event.key, event.action, discardedLog);
            }
        };
        const auto noCursor = [](int& x, int& y) { x = y = 0; };
        const GameSession::PassResult result = gameSession.update(
            [&] { return static_cast<double>(pass + 1) * frameTime; }, deliverEvents, noCursor);
        if (observe) {
            observe(pass, result);
        }
    }
}
