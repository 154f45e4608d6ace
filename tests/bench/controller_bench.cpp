// Measures what one move of the player's capsule costs on the full kitchen: the game's own
// start-up builds the world, then the capsule runs, jumps and slides along the counters the
// way a player does. Prints figures; never fails on speed. Build it without sanitizers.
#include "physics/capsule_controller.h"
#include "physics/level_colliders.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"

#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

class NoReports : public ControllerHitReport {
  public:
    int hits = 0;
    void onShapeHit(const ShapeHit&) override { ++hits; }
    void onControllerHit(const ControllerHit&) override {}
    void onObstacleHit(const ObstacleHit&) override {}
};

} // namespace

int main()
{
    initPhysics();
    createKnives();
    buildLevelColliders();
    createWorld();
    createHazard();

    NoReports reports;
    CapsuleControllerSettings settings;
    settings.reportCallback = &reports;
    settings.kinematicProxy = false; // the world's own player keeps its proxy
    CapsuleController controller(gScene, settings);

    const float dt = 1.0f / 60.0f;
    std::vector<double> micros;
    const int runs = 20;
    const int framesPerRun = 600;
    for (int run = 0; run < runs; ++run) {
        controller.setPosition({0.0, 20.0, 0.0});
        float speedY = 0.0f;
        for (int frame = 0; frame < framesPerRun; ++frame) {
            if (frame % 90 == 80) {
                speedY = 16.0f; // a jump now and then
            }
            const float speedZ = (frame / 120) % 2 == 0 ? 2.0f : -2.0f;
            const glm::vec3 displacement{10.0f * dt, speedY * dt, speedZ * dt};
            speedY -= 40.0f * dt;
            const int before = reports.hits;
            const auto start = std::chrono::steady_clock::now();
            controller.move(displacement, 0.000001f, dt);
            const auto end = std::chrono::steady_clock::now();
            if (reports.hits != before) {
                speedY = 0.0f;
            }
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    double sum = 0.0;
    for (double value : micros) {
        sum += value;
    }
    const glm::dvec3 foot = controller.getFootPosition();
    // The maximum and the mean include the times the shared machine took the core away.
    std::printf("capsule move on the kitchen: %zu moves, median %.2f us, 90th percentile %.2f us, "
                "99th percentile %.2f us, mean %.2f us, max %.2f us (ended at foot %.2f %.2f "
                "%.2f)\n",
                micros.size(), micros[micros.size() / 2], micros[micros.size() * 9 / 10],
                micros[micros.size() * 99 / 100], sum / double(micros.size()), micros.back(),
                foot.x, foot.y, foot.z);
    cleanupPhysics();
    return 0;
}
