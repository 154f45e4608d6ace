// Plays a route headlessly and prints where the player is, for designing and checking routes:
//   korvel-route-check ROUTE [--until S] [--every S] [--obstacles]
// The outcome is the one korvel-replay reaches with the same route at 1/60 s a frame.

#include "game/game_state.h"
#include "physics/physics_actor.h"
#include "physics/player.h"
#include "runs/headless_game.h"
#include "runs/route_input.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: korvel-route-check ROUTE [--until S] [--every S]" << std::endl;
        return 2;
    }
    double until = 120.0;
    double every = 0.5;
    bool showObstacles = false;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--obstacles") {
            showObstacles = true;
            continue;
        }
        if (i + 1 >= argc) {
            break;
        }
        ++i;
        if (option == "--until") {
            until = std::atof(argv[i]);
        } else if (option == "--every") {
            every = std::atof(argv[i]);
        }
    }
    ParseError error;
    const auto route = loadRoute(argv[1], error);
    if (!route) {
        std::cerr << argv[1] << ":" << error.line << ": " << error.message << std::endl;
        return 2;
    }
    const double frameTime = scriptedFrameTime;
    const long printEvery = std::max(1L, passForTime(every, frameTime));
    HeadlessGame game("/dev/null/score.txt"); // never writes a real best score
    bool ended = false;
    game.run(*route, frameTime, until, [&](long pass, const PassInput&, const PassResult& result) {
        const bool over = !attemptPlaying();
        if ((result.playerMoved && pass % printEvery == 0) || (over && !ended)) {
            std::printf("t=%7.3f foot=(%8.3f %7.3f %7.3f) vy=%7.2f jumps=%d%s%s%s\n",
                        (pass + 1) * frameTime, result.foot.x, result.foot.y, result.foot.z,
                        playerMotion.playerSpeedY, playerMotion.jumpsLeft,
                        outcome.dead ? " DEAD" : "", outcome.won ? " WON" : "",
                        outcome.timeUp ? " TIMEUP" : "");
            if (showObstacles) {
                for (const PhysicsActor* knife : game.knives()) {
                    const glm::vec3 p = knife->getGlobalPose().position;
                    if (std::abs(p.x - result.foot.x) < 25.0) {
                        std::printf("    knife (%7.2f %6.2f %6.2f)\n", p.x, p.y, p.z);
                    }
                }
                const glm::vec3 h = game.hazard()->getGlobalPose().position;
                std::printf("    hazard (%6.1f %6.1f)\n", h.x, h.z);
            }
        }
        ended = over;
    });
    const Attempt& attempt = game.session().attempt();
    std::printf("outcome: %s", outcomeWord(outcome));
    if (outcome.won) {
        std::printf(" score=%d", attempt.secondsLeft());
    }
    std::printf("\n");
    return 0;
}
