#include "physics/level_layout.h"
#include "scenario_world.h"
#include "support/subprocess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

const std::string oracleDir = std::string(KORVEL_SOURCE_DIR) + "/tests/oracle";

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return "[" + text + "]";
}

// The names of the shapes the last move touched, in report order.
std::vector<std::string> touchedNames(const ScenarioWorld& scene)
{
    std::vector<std::string> names;
    for (const ShapeHit& hit : scene.world.recorder.hits) {
        names.push_back(scene.nameOf(hit.actor));
    }
    return names;
}

glm::vec3 vec3Of(const nlohmann::json& value)
{
    return {value.at(0).get<float>(), value.at(1).get<float>(), value.at(2).get<float>()};
}

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
        scene.world.controller().setPosition(before + glm::dvec3(0.0, nudge, 0.0));
        scene.world.move(motion, minDistance);
        explained = explained || touchedNames(scene) == wanted;
        scene.world.controller().setPosition(before);
        scene.world.move(motion + glm::vec3(0.0f, nudge, 0.0f), minDistance);
        explained = explained || touchedNames(scene) == wanted;
    }
    scene.world.controller().setPosition(before);
    scene.world.move(motion, minDistance);
    return explained;
}

struct Comparison {
    double worstDeviation = 0.0;
    int worstFrame = -1;
    int sameReports = 0;
    int grazingReports = 0;
    std::vector<std::string> differences;
};

Comparison compareScenario(const nlohmann::json& definition, const nlohmann::json& scenario,
                           const nlohmann::json& expected)
{
    const float minDistance = definition.at("minDistance").get<float>();
    ScenarioWorld scene(definition, scenario);
    Comparison result;
    const nlohmann::json& frames = expected.at("frames");
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        const nlohmann::json& want = frames.at(frame);
        const glm::vec3 motion = vec3Of(want.at("displacement"));
        const glm::dvec3 before = scene.world.controller().getPosition();
        scene.world.move(motion, minDistance);
        const glm::dvec3 foot = scene.world.controller().getFootPosition();
        const nlohmann::json& wantFoot = want.at("foot");
        const double deviation = std::max({std::abs(foot.x - wantFoot.at(0).get<double>()),
                                           std::abs(foot.y - wantFoot.at(1).get<double>()),
                                           std::abs(foot.z - wantFoot.at(2).get<double>())});
        if (deviation > result.worstDeviation) {
            result.worstDeviation = deviation;
            result.worstFrame = int(frame);
        }
        const std::vector<std::string> got = touchedNames(scene);
        const auto wanted = want.at("hits").get<std::vector<std::string>>();
        if (got == wanted) {
            ++result.sameReports;
        } else if (explainedByGrazing(scene, before, motion, minDistance, wanted)) {
            ++result.grazingReports;
        } else {
            result.differences.push_back("frame " + std::to_string(frame) + ": ours " +
                                         joined(got) + ", reference " + joined(wanted));
        }
    }
    return result;
}

// Runs every scenario of the shared file in the reference controller (a Node script) and in
// ours, feeding ours the displacements the reference run produced, frame by frame.
TEST(ControllerOracle, FollowsTheReferenceControllerFrameByFrame)
{
    if (!std::filesystem::exists(oracleDir + "/node_modules/physx-js-webidl")) {
        GTEST_SKIP() << "the reference controller is not installed: run npm ci in " << oracleDir;
    }
    const ProcessResult oracle = runProcess(
        {"/usr/bin/env", "node", "run_scenarios.mjs", "scenarios.json"}, oracleDir, 120.0);
    ASSERT_EQ(oracle.exitStatus, 0) << oracle.output;
    const nlohmann::json reference = nlohmann::json::parse(oracle.output);
    const nlohmann::json definition = readJsonFile(oracleDir + "/scenarios.json");
    const double tolerance = definition.at("tolerance").at("foot").get<double>();

    const nlohmann::json& scenarios = definition.at("scenarios");
    ASSERT_EQ(reference.at("scenarios").size(), scenarios.size());
    for (std::size_t index = 0; index < scenarios.size(); ++index) {
        const std::string name = scenarios.at(index).at("name").get<std::string>();
        const nlohmann::json& expected = reference.at("scenarios").at(index);
        ASSERT_EQ(expected.at("name").get<std::string>(), name);
        const Comparison result = compareScenario(definition, scenarios.at(index), expected);
        std::printf("[ oracle ] %-22s frames %3zu  max foot deviation %.5f (frame %3d)  reports "
                    "same %3d, grazing %2d, different %zu\n",
                    name.c_str(), expected.at("frames").size(), result.worstDeviation,
                    result.worstFrame, result.sameReports, result.grazingReports,
                    result.differences.size());
        EXPECT_LE(result.worstDeviation, tolerance) << name << ", frame " << result.worstFrame;
        for (const std::string& difference : result.differences) {
            ADD_FAILURE() << name << ", " << difference;
        }
    }
}

const nlohmann::json& colliderNamed(const nlohmann::json& set, const std::string& name)
{
    for (const nlohmann::json& collider : set) {
        if (collider.at("name") == name) {
            return collider;
        }
    }
    throw std::runtime_error("no collider " + name);
}

void expectBox(const nlohmann::json& box, const level::BoxShape& shape, const std::string& what)
{
    EXPECT_EQ(vec3Of(box.at("halfExtents")), shape.halfExtents) << what;
    EXPECT_EQ(vec3Of(box.at("position")), shape.offset) << what;
}

// The scenarios carry their own copy of the kitchen's colliders for the reference script; it
// must stay the level the game builds.
TEST(ControllerOracle, ScenarioKitchenMatchesTheLevelLayout)
{
    const nlohmann::json definition = readJsonFile(oracleDir + "/scenarios.json");
    const nlohmann::json& kitchen = definition.at("colliderSets").at("level");
    const nlohmann::json& counter = colliderNamed(kitchen, "counter tops");
    ASSERT_EQ(counter.at("boxes").size(), level::counterTops.size());
    for (std::size_t i = 0; i < level::counterTops.size(); ++i) {
        expectBox(counter.at("boxes").at(i), level::counterTops[i],
                  "counter top " + std::to_string(i));
    }
    const nlohmann::json& wall = colliderNamed(kitchen, "tall wall block");
    EXPECT_EQ(vec3Of(wall.at("position")), level::tallWallBlock.offset);
    EXPECT_EQ(vec3Of(wall.at("boxes").at(0).at("halfExtents")), level::tallWallBlock.halfExtents);
    const nlohmann::json& pit = colliderNamed(kitchen, "pit floor");
    EXPECT_EQ(vec3Of(pit.at("position")), level::pitFloor.offset);
    EXPECT_EQ(vec3Of(pit.at("boxes").at(0).at("halfExtents")), level::pitFloor.halfExtents);
    const nlohmann::json& kill = colliderNamed(kitchen, "kill floor").at("plane");
    EXPECT_EQ(vec3Of(kill), level::killFloor.normal);
    EXPECT_EQ(kill.at(3).get<float>(), level::killFloor.d);
    int boundaries = 0;
    for (const nlohmann::json& collider : kitchen) {
        if (collider.at("name").get<std::string>().rfind("boundary", 0) != 0) {
            continue;
        }
        const level::Plane& plane = level::boundaries.at(std::size_t(boundaries++));
        EXPECT_EQ(vec3Of(collider.at("plane")), plane.normal);
        EXPECT_EQ(collider.at("plane").at(3).get<float>(), plane.d);
    }
    EXPECT_EQ(boundaries, int(level::boundaries.size()));
    EXPECT_EQ(vec3Of(definition.at("scenarios").at(0).at("start")), level::playerStart);
}

} // namespace
