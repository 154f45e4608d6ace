// Times one physics step plus one move of the player's controller on the whole kitchen, the
// physics share of a frame. The player runs along the first counter and then pushes against
// the first book pile while the knives are thrown and the hazard hops.
// Usage: korvel_physics_benchmark [frames]

#include "physics/kitchen_actors.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"
#include "physics/player.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
    const float dt = 1.0f / 60.0f;

    initPhysics();
    createKitchenActors();
    createWorld();
    createHazard();

    std::vector<double> steps;
    std::vector<double> moves;
    std::vector<double> both;
    for (int frame = 0; frame < frames + 60; ++frame) {
        if (frame == 60) {
            runForward(true); // landed: start running
        }
        updateObstacles();
        advanceObstacleTimers(dt);
        const Clock::time_point start = Clock::now();
        stepPhysics();
        const Clock::time_point stepped = Clock::now();
        movePlayer(dt);
        const Clock::time_point moved = Clock::now();
        if (frame >= 60) {
            steps.push_back(milliseconds(stepped - start));
            moves.push_back(milliseconds(moved - stepped));
            both.push_back(milliseconds(moved - start));
        }
    }
    cleanupPhysics();

    std::printf("frames: %d\n", frames);
    std::printf("step + move: median %.4f ms, 90th percentile %.4f ms, max %.4f ms\n",
                percentile(both, 0.5), percentile(both, 0.9), percentile(both, 1.0));
    std::printf("step alone: median %.4f ms\n", percentile(steps, 0.5));
    std::printf("move alone: median %.4f ms\n", percentile(moves, 0.5));
    return 0;
}
