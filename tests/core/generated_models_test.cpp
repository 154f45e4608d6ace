// The kitchen's generated models, read through the game's own importer and held against the
// colliders of level_layout.h that they must show: a model drifting off its collider is what a
// player sees as floating, sinking or walking on air.
#include "assetgen/kitchen_parts.h"
#include "assetgen/texture_layout.h"
#include "physics/level_layout.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <set>
#include <tuple>

using generated::Triangle;

namespace {

// A collider box: centre, half-extents and rotation.
struct Box {
    glm::vec3 centre;
    glm::vec3 half;
    glm::mat3 rotation{1.0f};

    bool holds(glm::vec3 point, float slack) const
    {
        const glm::vec3 local = glm::transpose(rotation) * (point - centre);
        return glm::all(glm::lessThanEqual(glm::abs(local), half + glm::vec3(slack)));
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

const float floorY = -level::killFloor.d;
const float minX = -level::boundaries[2].d, maxX = level::boundaries[3].d;
const float minZ = -level::boundaries[0].d, maxZ = level::boundaries[1].d;

// Grid points (spacing about `step`) over a rectangle, kept `inset` inside its edges.
std::vector<glm::vec2> gridOver(glm::vec3 low, glm::vec3 high, float step, float inset = 0.02f)
{
    std::vector<glm::vec2> points;
    const int columns = std::max(1, static_cast<int>((high.x - low.x) / step));
    const int rows = std::max(1, static_cast<int>((high.z - low.z) / step));
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            points.emplace_back(glm::mix(low.x + inset, high.x - inset, float(i) / columns),
                                glm::mix(low.z + inset, high.z - inset, float(j) / rows));
        }
    }
    return points;
}

// The first grid point where the highest upward surface (with `any`, every one of them) is not
// at `height` within 0.01, or "" when there is none.
std::string firstMiss(const std::vector<Triangle>& model, const std::vector<glm::vec2>& points,
                      float height, bool any = false)
{
    for (const glm::vec2& p : points) {
        const std::vector<float> tops = generated::topsAt(model, p.x, p.y);
        const auto at = [&](float top) { return std::fabs(top - height) < 0.01f; };
        if (tops.empty() || !(any ? std::any_of(tops.begin(), tops.end(), at)
                                  : at(*std::max_element(tops.begin(), tops.end())))) {
            return std::to_string(p.x) + ", " + std::to_string(p.y);
        }
    }
    return "";
}

} // namespace

// Each model stays inside the collider boxes it shows and reaches from their bottom to their top
// (NAN: not checked). The game culls back faces, so every face is wound around its normals.
TEST(GeneratedModels, StayInsideTheirCollidersFromBottomToTopFacingOut)
{
    const Box seat{level::chairShapes[0].offset, level::chairShapes[0].halfExtents};
    std::vector<Box> chair{between({seat.low().x, floorY, seat.low().z}, seat.high())};
    for (int i = 1; i < 4; ++i) {
        const level::ChairShape& s = level::chairShapes[i];
        chair.push_back(
            {s.offset, s.halfExtents, turn(s.angleX, {1, 0, 0}) * turn(s.angleZ, {0, 0, 1})});
    }
    const glm::mat3 broomTurn = turn(2.0f * level::broomHalfAngle, {0, 1, 0});
    const Box head{level::broomHead.offset, level::broomHead.halfExtents, broomTurn};
    const Box pile{glm::vec3(0.0f), level::bookPileHalfExtents};
    const Box topBook{level::topBookOffset, level::topBookHalfExtents,
                      turn(level::topBookAngleY, {0, 1, 0}) *
                          turn(level::topBookAngleX, {1, 0, 0})};
    const float r = level::playerRadius;
    const float capsule = level::playerHeight + 2.0f * r + level::playerSkin;
    std::vector<Box> counter{box(level::pitFloor)};
    for (const level::BoxShape& shape : level::counterTops) {
        counter.push_back(box(shape));
    }
    const Box block = box(level::tallWallBlock), pit = box(level::pitFloor);
    const Box sinkEnd = box(level::counterTops[6]), goalEnd = box(level::counterTops[7]);
    const float top = block.high().y, worktop = -kitchen::worktopThickness;
    const struct {
        const char* model;
        std::vector<Box> within;
        float slack, bottom, top, endSlack;
    } cases[]{
        {"knife",
         {{glm::vec3(0), level::knifeHalfExtents}},
         1e-4f,
         -level::knifeHalfExtents.y,
         level::knifeHalfExtents.y,
         0.02f}, // handle end to blade tip
        {"pizza",
         {{glm::vec3(0), level::pizzaHalfExtents}},
         1e-4f,
         -level::pizzaHalfExtents.y,
         level::pizzaHalfExtents.y,
         1e-3f},
        {"tamboro_game", {between({-r, 0, -r}, {r, capsule, r})}, 1e-3f, 0.0f, capsule, 0.02f},
        {"table", {{level::tableShapeOffset, level::tableHalfExtents}}, 1e-3f, floorY, 0.0f, 1e-3f},
        {"chair", chair, 1e-3f, floorY, chair[3].high().y, 1e-3f},
        {"book_pile", {pile, topBook}, 1e-3f, pile.low().y, topBook.high().y, 1e-3f},
        {"broom",
         {{level::broomHandle.offset, level::broomHandle.halfExtents, broomTurn}, head},
         1e-3f,
         head.low().y,
         head.high().y,
         1e-3f},
        {"counter", counter, 1e-3f, worktop, 0.0f, 1e-3f},
        // Knobs and the oven's handle stand out of its front; it stands on its own plinth.
        {"stove", {box(level::counterTops[3])}, 0.8f, NAN, 0.0f, 1e-3f},
        // The tap stands on the sink's back rim.
        {"sink",
         {between({sinkEnd.low().x, pit.high().y, sinkEnd.low().z},
                  {goalEnd.high().x, 1e9f, goalEnd.high().z})},
         1e-3f,
         pit.high().y,
         NAN,
         1e-3f},
        // Handles stand a little out of the cabinets' fronts.
        {"counter_cabinets", counter, 0.33f, floorY, worktop, 1e-3f},
        {"floor",
         {between({minX, floorY, minZ}, {maxX, floorY, maxZ})},
         1e-3f,
         floorY,
         floorY,
         1e-4f},
        // The walls stand on the boundary planes and wrap the tall block (whose collider stops
        // 0.02 above the floor).
        {"walls",
         {between({minX, floorY, minZ}, {minX, top, maxZ}),
          between({maxX, floorY, minZ}, {maxX, top, maxZ}),
          between({minX, floorY, minZ}, {maxX, top, minZ}),
          between({minX, floorY, maxZ}, {maxX, top, maxZ}), block},
         0.03f,
         floorY,
         top,
         1e-3f},
    };
    const auto near = [](float value, float wanted, float slack) {
        return std::isnan(wanted) || std::fabs(value - wanted) < slack;
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
        EXPECT_EQ(stray, 0) << c.model;
        EXPECT_EQ(against, 0) << c.model;
        EXPECT_TRUE(near(bottom, c.bottom, c.endSlack) && near(height, c.top, c.endSlack))
            << c.model << " from " << bottom << " to " << height;
    }
}

TEST(GeneratedModels, StandableTopsLieAtTheCollidersTops)
{
    // The stove's hob fills a hole in the far run, flush with the counter; the sink's tap stands
    // on its back rim, which is still there under it; inside the rim lies the pit floor, under
    // the water square.
    std::vector<Triangle> counter = generated::triangles("counter");
    const std::vector<Triangle> stove = generated::triangles("stove"),
                                sink = generated::triangles("sink"),
                                table = generated::triangles("table"),
                                chair = generated::triangles("chair");
    counter.insert(counter.end(), stove.begin(), stove.end());
    const Box pit = box(level::pitFloor);
    const Box basin = between(
        {box(level::counterTops[6]).high().x, 0, box(level::counterTops[4]).high().z},
        {box(level::counterTops[7]).low().x, pit.high().y, box(level::counterTops[5]).low().z});
    std::vector<std::tuple<const std::vector<Triangle>*, Box, float, bool>> cases{
        {&sink, basin, 1.0f, false},
        {&table, {level::tableShapeOffset, level::tableHalfExtents}, 1.0f, false},
        // At its back the chair's posts rise out of the seat, as their shapes do.
        {&chair, {level::chairShapes[0].offset, level::chairShapes[0].halfExtents}, 0.5f, true}};
    for (int i = 0; i < 8; ++i) {
        cases.emplace_back(i < 4 ? &counter : &sink, box(level::counterTops[i]),
                           i < 4 ? 1.5f : 0.3f, i >= 4);
    }
    for (const auto& [model, collider, step, any] : cases) {
        EXPECT_EQ(firstMiss(*model, gridOver(collider.low(), collider.high(), step),
                            collider.high().y, any),
                  "")
            << "top expected at " << collider.high().y << " over " << collider.centre.x;
    }
    EXPECT_LT(pit.high().y, level::waterCentre.y);
}

TEST(GeneratedModels, FloorIsSeenWithoutCracksWhereverItShows)
{
    // The floor is left out only deep inside the counter runs and the tall block, which stand on
    // it from wall to front: everywhere else, and under the toe kick just inside a front, it is
    // there. The sink's pit between the first two runs is closed by its rims and floor.
    std::vector<Box> solids{box(level::tallWallBlock), box(level::pitFloor)};
    for (const level::BoxShape& shape : level::counterTops) {
        solids.push_back(box(shape));
    }
    const auto under = [&](glm::vec2 p, float inset) {
        return std::any_of(solids.begin(), solids.end(), [&](const Box& b) {
            return b.holds({p.x, b.centre.y, p.y}, -inset);
        });
    };
    const glm::vec3 room{maxX, 0, maxZ}, origin{minX, 0, minZ};
    const std::vector<Triangle> floor = generated::triangles("floor");
    std::vector<glm::vec2> open;
    for (const glm::vec2& p : gridOver(origin, room, 5.0f, 0.01f)) {
        if (!under(p, -0.05f)) {
            open.push_back(p);
        }
    }
    for (float x = 0.0f; x < 140.0f; x += 10.0f) {
        open.emplace_back(x, box(level::counterTops[0]).high().z - 0.7f);
    }
    EXPECT_EQ(firstMiss(floor, open, floorY), "");
    // Deep under them it is left out: shading it there would only be covered again. The stove,
    // drawn only while in view, closes its own opening in the far run.
    int hiddenButDrawn = 0;
    for (const glm::vec2& p : gridOver(origin, room, 2.0f, 0.01f)) {
        const bool behindStove = p.x > layout::hob.x0 - 1.0f && p.x < layout::hob.x1 + 1.0f;
        hiddenButDrawn +=
            under(p, 1.5f) && !behindStove && !generated::topsAt(floor, p.x, p.y).empty();
    }
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

    // Each counter run's open front shows the cabinets' faces at the collider's face.
    const std::vector<Triangle> cabinets = generated::triangles("counter_cabinets");
    const auto facesAt = [&](glm::vec3 outward, float z) {
        return std::count_if(cabinets.begin(), cabinets.end(), [&](const Triangle& t) {
            return glm::dot(t.facing(), outward) > 0.99f && std::fabs(t.corner[0].z - z) < 1e-3f;
        });
    };
    EXPECT_GT(facesAt({0, 0, 1}, box(level::counterTops[0]).high().z), 0);
    EXPECT_GT(facesAt({0, 0, -1}, box(level::counterTops[3]).low().z), 0);
}

TEST(GeneratedModels, PlayersFaceLooksAlongPlusX)
{
    // The face is painted on the left half of the texture, and only the +X side reads it.
    int front = 0, elsewhere = 0;
    for (const Triangle& t : generated::triangles("tamboro_game")) {
        if (t.uv[0].x < 0.5f && t.uv[1].x < 0.5f && t.uv[2].x < 0.5f) {
            ++(t.facing().x > 0.99f ? front : elsewhere);
        }
    }
    EXPECT_GT(front, 10);
    EXPECT_EQ(elsewhere, 0);
}
