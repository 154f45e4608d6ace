// The kitchen's generated models, read through the game's own importer and held against the
// colliders of level_layout.h that they must show: a model drifting off its collider is what a
// player sees as floating, sinking or walking on air.
#include "assetgen/kitchen_parts.h"
#include "assetgen/texture_layout.h"
#include "physics/level_layout.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include <set>

using generated::Triangle;

namespace {

// A collider box: centre, half-extents and rotation.
struct Box {
    glm::vec3 centre, half;
    glm::mat3 rotation{1.0f};

    bool holds(glm::vec3 point, float slack) const
    {
        const glm::vec3 local = glm::transpose(rotation) * (point - centre);
        return glm::all(glm::lessThanEqual(glm::abs(local), half + slack));
    }
    glm::vec3 reach() const
    {
        return glm::abs(rotation[0]) * half.x + glm::abs(rotation[1]) * half.y +
               glm::abs(rotation[2]) * half.z;
    }
    glm::vec3 low() const { return centre - reach(); }
    glm::vec3 high() const { return centre + reach(); }
};

Box between(glm::vec3 low, glm::vec3 high)
{
    return {(low + high) * 0.5f, (high - low) * 0.5f};
}

Box box(const level::BoxShape& shape)
{
    return {shape.offset, shape.halfExtents};
}

glm::mat3 turn(float angle, glm::vec3 axis)
{
    return glm::mat3(glm::rotate(glm::mat4(1.0f), angle, axis));
}

// The counter runs, the sink's rims and its pit floor.
std::vector<Box> counterSolids()
{
    std::vector<Box> solids{box(level::pitFloor)};
    for (const level::BoxShape& shape : level::counterTops) {
        solids.push_back(box(shape));
    }
    return solids;
}

const float floorY = -level::killFloor.d;
const glm::vec3 roomLow{-level::boundaries[2].d, floorY, -level::boundaries[0].d};
const glm::vec3 roomHigh{level::boundaries[3].d, floorY, level::boundaries[1].d};

// Grid points (spacing about `step`) over a box seen from above, kept `inset` inside its edges.
std::vector<glm::vec2> gridOver(const Box& area, float step, float inset = 0.02f)
{
    std::vector<glm::vec2> points;
    const glm::vec3 low = area.low() + inset, high = area.high() - inset;
    const int columns = std::max(1, static_cast<int>((high.x - low.x) / step));
    const int rows = std::max(1, static_cast<int>((high.z - low.z) / step));
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            points.emplace_back(glm::mix(low.x, high.x, static_cast<float>(i) / columns),
                                glm::mix(low.z, high.z, static_cast<float>(j) / rows));
        }
    }
    return points;
}

// The first point with no upward surface at `height` within 0.01, or "" when there is none.
std::string firstMiss(const std::vector<Triangle>& model, const std::vector<glm::vec2>& points,
                      float height)
{
    for (const glm::vec2& p : points) {
        const std::vector<float> tops = generated::topsAt(model, p.x, p.y);
        if (std::none_of(tops.begin(), tops.end(),
                         [&](float top) { return std::fabs(top - height) < 0.01f; })) {
            return std::to_string(p.x) + ", " + std::to_string(p.y);
        }
    }
    return "";
}

} // namespace

// Each model stays inside the collider boxes it shows (within `slack`) and reaches from their
// bottom to their top within 0.02 (NAN: not checked). The game culls back faces, so every face
// is wound around its normals.
TEST(GeneratedModels, StayInsideTheirCollidersFromBottomToTopFacingOut)
{
    const Box seat{level::chairShapes[0].offset, level::chairShapes[0].halfExtents};
    std::vector<Box> chair{between({seat.low().x, floorY, seat.low().z}, seat.high())};
    for (const level::ChairShape& s : std::span(level::chairShapes).subspan(1)) {
        chair.push_back(
            {s.offset, s.halfExtents, turn(s.angleX, {1, 0, 0}) * turn(s.angleZ, {0, 0, 1})});
    }
    const glm::mat3 broomTurn = turn(2.0f * level::broomHalfAngle, {0, 1, 0});
    const Box head{level::broomHead.offset, level::broomHead.halfExtents, broomTurn};
    const Box handle{level::broomHandle.offset, level::broomHandle.halfExtents, broomTurn};
    const Box pile{glm::vec3(0.0f), level::bookPileHalfExtents};
    const Box topBook{level::topBookOffset, level::topBookHalfExtents,
                      turn(level::topBookAngleY, {0, 1, 0}) *
                          turn(level::topBookAngleX, {1, 0, 0})};
    const glm::vec3 knife = level::knifeHalfExtents, pizza = level::pizzaHalfExtents;
    const float r = level::playerRadius;
    const float capsule = level::playerHeight + 2.0f * r + level::playerSkin;
    const std::vector<Box> counter = counterSolids();
    const Box block = box(level::tallWallBlock), pit = box(level::pitFloor);
    // The tap stands on the sink's back rim.
    const Box startRim = box(level::counterTops[6]), goalRim = box(level::counterTops[7]);
    const Box sink = between({startRim.low().x, pit.high().y, startRim.low().z},
                             {goalRim.high().x, 9.0f, goalRim.high().z});
    const float x0 = roomLow.x, x1 = roomHigh.x, z0 = roomLow.z, z1 = roomHigh.z;
    const float top = block.high().y, worktop = -kitchen::worktopThickness;
    // The walls stand on the boundary planes and wrap the tall block.
    const std::vector<Box> walls{
        between({x0, floorY, z0}, {x0, top, z1}), between({x1, floorY, z0}, {x1, top, z1}),
        between({x0, floorY, z0}, {x1, top, z0}), between({x0, floorY, z1}, {x1, top, z1}), block};
    const struct {
        const char* model;
        std::vector<Box> within;
        float bottom, top, slack = 0.03f;
    } cases[]{
        {"knife", {{glm::vec3(0), knife}}, -knife.y, knife.y}, // handle end to blade tip
        {"pizza", {{glm::vec3(0), pizza}}, -pizza.y, pizza.y},
        {"tamboro_game", {between({-r, 0, -r}, {r, capsule, r})}, 0.0f, capsule},
        {"table", {{level::tableShapeOffset, level::tableHalfExtents}}, floorY, 0.0f},
        {"chair", chair, floorY, chair[3].high().y},
        {"book_pile", {pile, topBook}, pile.low().y, topBook.high().y},
        {"broom", {handle, head}, head.low().y, head.high().y},
        {"counter", counter, worktop, 0.0f},
        // Knobs and the oven's handle stand out of its front; it stands on its own plinth.
        {"stove", {box(level::counterTops[3])}, NAN, 0.0f, 0.8f},
        {"sink", {sink}, pit.high().y, NAN},
        // Handles stand a little out of the cabinets' fronts.
        {"counter_cabinets", counter, floorY, worktop, 0.33f},
        {"floor", {between(roomLow, roomHigh)}, floorY, floorY},
        {"walls", walls, floorY, top},
    };
    for (const auto& c : cases) {
        float bottom = 1e30f, height = -1e30f;
        int stray = 0, against = 0;
        for (const Triangle& t : generated::triangles(c.model)) {
            against += glm::dot(t.facing(), t.normal[0] + t.normal[1] + t.normal[2]) <= 0.0f;
            for (const glm::vec3& p : t.corner) {
                stray += std::none_of(c.within.begin(), c.within.end(),
                                      [&](const Box& b) { return b.holds(p, c.slack); });
                bottom = std::min(bottom, p.y);
                height = std::max(height, p.y);
            }
        }
        EXPECT_EQ(stray + against, 0) << c.model << ": " << stray << " out, " << against << " back";
        EXPECT_FALSE(std::fabs(bottom - c.bottom) > 0.02f || std::fabs(height - c.top) > 0.02f)
            << c.model << " from " << bottom << " to " << height;
    }
}

TEST(GeneratedModels, StandableTopsLieAtTheCollidersTops)
{
    // The stove's hob fills a hole in the far run, flush with the counter; the sink's tap stands
    // on its back rim, which is still there under it; inside the rim lies the pit floor; at its
    // back the chair's posts rise out of the seat, as their shapes do.
    std::vector<Triangle> counter = generated::triangles("counter");
    const std::vector<Triangle> stove = generated::triangles("stove"),
                                sink = generated::triangles("sink"),
                                table = generated::triangles("table"),
                                chair = generated::triangles("chair");
    counter.insert(counter.end(), stove.begin(), stove.end());
    const Box pit = box(level::pitFloor);
    const auto run = [](int i) { return box(level::counterTops[i]); };
    const Box basin = between({run(6).high().x, 0, run(4).high().z},
                              {run(7).low().x, pit.high().y, run(5).low().z});
    std::vector<std::pair<const std::vector<Triangle>*, Box>> cases{
        {&sink, basin},
        {&table, {level::tableShapeOffset, level::tableHalfExtents}},
        {&chair, {level::chairShapes[0].offset, level::chairShapes[0].halfExtents}}};
    for (int i = 0; i < 8; ++i) {
        cases.emplace_back(i < 4 ? &counter : &sink, run(i));
    }
    for (const auto& [model, collider] : cases) {
        EXPECT_EQ(firstMiss(*model, gridOver(collider, 1.0f), collider.high().y), "")
            << "top expected at " << collider.high().y << " over x " << collider.centre.x;
    }
}

TEST(GeneratedModels, FloorIsSeenWithoutCracksWhereverItShows)
{
    // The floor is left out only deep inside the counter runs and the tall block, which stand on
    // it from wall to front: everywhere else, and under the toe kick just inside a front, it is
    // there. The sink's pit between the first two runs is closed by its rims and floor.
    std::vector<Box> solids = counterSolids();
    solids.push_back(box(level::tallWallBlock));
    const auto under = [&](glm::vec2 p, float inset) {
        return std::any_of(solids.begin(), solids.end(), [&](const Box& b) {
            return b.holds({p.x, b.centre.y, p.y}, -inset);
        });
    };
    const std::vector<Triangle> floor = generated::triangles("floor");
    std::vector<glm::vec2> open;
    for (float x = 0.0f; x < 140.0f; x += 10.0f) {
        open.emplace_back(x, box(level::counterTops[0]).high().z - 0.7f);
    }
    int hiddenButDrawn = 0;
    for (const glm::vec2& p : gridOver(between(roomLow, roomHigh), 2.0f, 0.01f)) {
        if (!under(p, -0.05f)) {
            open.push_back(p);
        }
        // Deep under them shading it would only be covered again. The stove, drawn only while
        // in view, closes its own opening in the far run.
        const bool behindStove = p.x > layout::hob.x0 - 1.0f && p.x < layout::hob.x1 + 1.0f;
        hiddenButDrawn +=
            under(p, 1.5f) && !behindStove && !generated::topsAt(floor, p.x, p.y).empty();
    }
    EXPECT_EQ(firstMiss(floor, open, floorY), "");
    EXPECT_EQ(hiddenButDrawn, 0);

    // No corner lies inside another triangle's edge: pixels would fall through the gap.
    std::set<std::pair<float, float>> corners;
    for (const Triangle& t : floor) {
        corners.insert({{t.corner[0].x, t.corner[0].z},
                        {t.corner[1].x, t.corner[1].z},
                        {t.corner[2].x, t.corner[2].z}});
    }
    int cracks = 0;
    for (const Triangle& t : floor) {
        for (int k = 0; k < 3; ++k) {
            const glm::vec3 a = t.corner[k], b = t.corner[(k + 1) % 3];
            for (const auto& [x, z] : corners) {
                cracks +=
                    (a.x == b.x && x == a.x && z > std::min(a.z, b.z) && z < std::max(a.z, b.z)) ||
                    (a.z == b.z && z == a.z && x > std::min(a.x, b.x) && x < std::max(a.x, b.x));
            }
        }
    }
    EXPECT_EQ(cracks, 0);
}
