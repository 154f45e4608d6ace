// Our capsule controller against the reference one it must play like: every scenario of
// tests/oracle/scenarios.json runs in the reference controller (a Node script) and then in
// ours, fed the displacements the reference run produced, frame by frame. Walking, steps,
// ramps, ledges, walls, corners, ceilings and resting are all scenarios there.
#include "physics/capsule_controller.h"
#include "physics/physics_world.h"
#include "subprocess/subprocess.h"

#include <btBulletDynamicsCommon.h>
#include <glm/geometric.hpp>
#include <glm/gtc/quaternion.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

const std::string oracleDir = std::string(KORVEL_SOURCE_DIR) + "/tests/oracle";

glm::vec3 vec3Of(const nlohmann::json& value)
{
    return {value.at(0).get<float>(), value.at(1).get<float>(), value.at(2).get<float>()};
}

// Rotations are listed in the order they compose: [A, B] applies B first, then A.
glm::quat rotationOf(const nlohmann::json& part)
{
    glm::quat rotation(1.0f, 0.0f, 0.0f, 0.0f);
    for (const nlohmann::json& turn : part.value("rotation", nlohmann::json::array())) {
        rotation = rotation * glm::angleAxis(turn.at("angle").get<float>(),
                                             glm::normalize(vec3Of(turn.at("axis"))));
    }
    return rotation;
}

class HitRecorder : public ControllerHitReport {
  public:
    std::vector<const btCollisionObject*> touched;
    void onShapeHit(const ShapeHit& hit) override { touched.push_back(hit.actor); }
    void onControllerHit(const ControllerHit&) override {}
    void onObstacleHit(const ObstacleHit&) override {}
};

// One scenario's colliders, made by the game's own physics engine as the level's are, and a
// capsule controller with the settings the scenarios are written for.
class ScenarioWorld {
  public:
    ScenarioWorld(const nlohmann::json& definition, const nlohmann::json& scenario)
    {
        initPhysics();
        for (const nlohmann::json& set : scenario.at("colliders")) {
            for (const nlohmann::json& collider :
                 definition.at("colliderSets").at(set.get<std::string>())) {
                PhysicsActor* actor = nullptr;
                if (collider.contains("plane")) {
                    const nlohmann::json& plane = collider.at("plane");
                    actor = physicsWorld.gPhysics->createPlane(vec3Of(plane), plane.at(3),
                                                               *physicsWorld.gMaterial);
                } else {
                    actor = physicsWorld.gPhysics->createRigidStatic(
                        {vec3Of(collider.at("position")), rotationOf(collider)});
                    for (const nlohmann::json& box : collider.at("boxes")) {
                        const glm::vec3 at =
                            box.contains("position") ? vec3Of(box.at("position")) : glm::vec3(0.0f);
                        actor->attachShape(
                            *physicsWorld.gPhysics->createBoxShape(vec3Of(box.at("halfExtents"))),
                            {at, rotationOf(box)});
                    }
                }
                actor->addTo(*physicsWorld.gScene);
                names[&actor->body()] = collider.at("name").get<std::string>();
            }
        }
        CapsuleControllerSettings settings;
        settings.position = glm::dvec3(vec3Of(scenario.at("start")));
        settings.reportCallback = &recorder;
        physicsWorld.gControllerManager = new ControllerManager(physicsWorld.gScene);
        controller = physicsWorld.gControllerManager->createController(settings);
    }
    ~ScenarioWorld() { cleanupPhysics(); }

    // Moves once; returns the names of the shapes the move touched, in report order.
    std::vector<std::string> move(const glm::vec3& displacement, float minDistance)
    {
        recorder.touched.clear();
        controller->move(displacement, minDistance, physicsTimeStep);
        std::vector<std::string> touched;
        for (const btCollisionObject* object : recorder.touched) {
            touched.push_back(names.count(object) ? names.at(object) : "?");
        }
        return touched;
    }

    CapsuleController* controller = nullptr;

  private:
    HitRecorder recorder;
    std::map<const btCollisionObject*, std::string> names;
};

// A surface met exactly at the end of a sweep's reach is touched or missed depending on the
// last bits of the arithmetic; Bullet's sweeps also stop up to 0.001 short of contact. A
// difference in reports is such a grazing contact when starting or moving a hair higher or
// lower reproduces the reference's reports.
constexpr float grazingReach = 0.002f;

bool explainedByGrazing(ScenarioWorld& scene, const glm::dvec3& before, const glm::vec3& motion,
                        float minDistance, const std::vector<std::string>& wanted)
{
    bool explained = false;
    for (float nudge : {-grazingReach, grazingReach}) {
        scene.controller->setPosition(before + glm::dvec3(0.0, nudge, 0.0));
        explained = explained || scene.move(motion, minDistance) == wanted;
        scene.controller->setPosition(before);
        explained =
            explained || scene.move(motion + glm::vec3(0.0f, nudge, 0.0f), minDistance) == wanted;
    }
    scene.controller->setPosition(before);
    scene.move(motion, minDistance);
    return explained;
}

TEST(ControllerOracle, FollowsTheReferenceControllerFrameByFrame)
{
    ASSERT_TRUE(std::filesystem::exists(oracleDir + "/node_modules/physx-js-webidl"))
        << "the reference controller is not installed: run (cd tests/oracle && npm ci) or "
           "tools/run_tests.sh";
    const ProcessResult oracle = runProcess(
        {"/usr/bin/env", "node", "run_scenarios.mjs", "scenarios.json"}, oracleDir, 300.0);
    ASSERT_EQ(oracle.exitStatus, 0) << oracle.output;
    const nlohmann::json reference = nlohmann::json::parse(oracle.output);
    std::ifstream file(oracleDir + "/scenarios.json");
    const nlohmann::json definition = nlohmann::json::parse(file);
    const double tolerance = definition.at("tolerance").at("foot");
    const float minDistance = definition.at("minDistance");

    const nlohmann::json& scenarios = definition.at("scenarios");
    ASSERT_EQ(reference.at("scenarios").size(), scenarios.size());
    for (std::size_t index = 0; index < scenarios.size(); ++index) {
        const std::string name = scenarios.at(index).at("name");
        const nlohmann::json& frames = reference.at("scenarios").at(index).at("frames");
        ScenarioWorld scene(definition, scenarios.at(index));
        double worst = 0.0;
        std::size_t worstFrame = 0;
        int grazing = 0;
        for (std::size_t frame = 0; frame < frames.size(); ++frame) {
            const nlohmann::json& want = frames.at(frame);
            const glm::vec3 motion = vec3Of(want.at("displacement"));
            const glm::dvec3 before = scene.controller->getPosition();
            const std::vector<std::string> got = scene.move(motion, minDistance);
            const glm::dvec3 foot = scene.controller->getFootPosition();
            for (int axis = 0; axis < 3; ++axis) {
                const double deviation =
                    std::abs(foot[axis] - want.at("foot").at(axis).get<double>());
                if (deviation > worst) {
                    worst = deviation;
                    worstFrame = frame;
                }
            }
            const auto wanted = want.at("hits").get<std::vector<std::string>>();
            if (got != wanted) {
                ++grazing;
                EXPECT_TRUE(explainedByGrazing(scene, before, motion, minDistance, wanted))
                    << name << ", frame " << frame << ": ours " << testing::PrintToString(got)
                    << ", reference " << testing::PrintToString(wanted);
            }
        }
        EXPECT_LE(worst, tolerance) << name << ", frame " << worstFrame;
        std::printf("[ oracle ] %-30s %3zu frames, max foot deviation %.5f, grazing reports %d\n",
                    name.c_str(), frames.size(), worst, grazing);
    }
}

} // namespace
