// The kitchen's generated models, read through the game's own importer and held against the
// colliders they must show.
#include "assetgen/texture_layout.h"
#include "physics/level_layout.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/common.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

using generated::Triangle;

namespace {

const std::vector<std::string> models{
    "knife",     "tamboro_game", "pizza", "table", "floor", "counter", "walls", "counter_cabinets",
    "book_pile", "broom",        "chair", "stove", "sink"};
const std::vector<std::string> lightMapped{"floor", "counter", "walls", "counter_cabinets"};

// A collider box: its corners' frame and half-extents.
struct Box {
    glm::vec3 centre;
    glm::vec3 half;
    glm::mat3 rotation{1.0f};

    bool holds(glm::vec3 point, float tolerance) const
    {
        const glm::vec3 local = glm::transpose(rotation) * (point - centre);
        return glm::all(glm::lessThanEqual(glm::abs(local), half + glm::vec3(tolerance)));
    }
    glm::vec3 reach() const
    {
        return glm::abs(rotation[0]) * half.x + glm::abs(rotation[1]) * half.y +
               glm::abs(rotation[2]) * half.z;
    }
    glm::vec3 low() const { return centre - reach(); }
    glm::vec3 high() const { return centre + reach(); }
};

Box box(const level::BoxShape& shape)
{
    return {shape.offset, shape.halfExtents};
}

glm::mat3 turn(float angle, glm::vec3 axis)
{
    return glm::mat3(glm::rotate(glm::mat4(1.0f), angle, axis));
}

std::pair<glm::vec3, glm::vec3> bounds(const std::vector<Triangle>& model)
{
    glm::vec3 low(1e30f), high(-1e30f);
    for (const Triangle& triangle : model) {
        for (const glm::vec3& corner : triangle.corner) {
            low = glm::min(low, corner);
            high = glm::max(high, corner);
        }
    }
    return {low, high};
}

// Every point of a grid (spacing about `step`) over a box's top, kept `inset` inside its edges.
std::vector<glm::vec2> gridOver(float x0, float x1, float z0, float z1, float step, float inset)
{
    std::vector<glm::vec2> points;
    const int columns = std::max(1, static_cast<int>((x1 - x0) / step));
    const int rows = std::max(1, static_cast<int>((z1 - z0) / step));
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            points.emplace_back(glm::mix(x0 + inset, x1 - inset, static_cast<float>(i) / columns),
                                glm::mix(z0 + inset, z1 - inset, static_cast<float>(j) / rows));
        }
    }
    return points;
}

enum class Top { highest, any };

// Counts grid points where the highest upward surface (or, with Top::any, none of them) is at
// `height` within 0.01.
int pointsNotAt(const std::vector<Triangle>& model, const std::vector<glm::vec2>& points,
                float height, std::string& first, Top which = Top::highest)
{
    int misses = 0;
    for (const glm::vec2& point : points) {
        const std::vector<float> tops = generated::topsAt(model, point.x, point.y);
        const auto at = [&](float top) { return std::fabs(top - height) < 0.01f; };
        const bool ok =
            !tops.empty() && (which == Top::any ? std::any_of(tops.begin(), tops.end(), at)
                                                : at(*std::max_element(tops.begin(), tops.end())));
        if (!ok && misses++ == 0) {
            std::ostringstream text;
            text << "(" << point.x << ", " << point.y << ") top "
                 << (tops.empty() ? std::string("none")
                                  : std::to_string(*std::max_element(tops.begin(), tops.end())));
            first = text.str();
        }
    }
    return misses;
}

} // namespace

TEST(GeneratedModels, AreTrianglesWithANormalAndATextureCoordinateAtEveryCorner)
{
    for (const std::string& name : models) {
        SCOPED_TRACE(name);
        // The file itself: only three-cornered faces, each corner naming v/vt/vn.
        std::istringstream text(
            generated::fileText(generated::assetFolder() / "models" / (name + ".obj")));
        int positions = 0, coordinates = 0, normals = 0, faces = 0, badFaces = 0;
        for (std::string line; std::getline(text, line);) {
            std::istringstream words(line);
            std::string kind;
            words >> kind;
            positions += kind == "v";
            coordinates += kind == "vt";
            normals += kind == "vn";
            if (kind == "f") {
                ++faces;
                std::vector<std::string> corners;
                for (std::string corner; words >> corner;) {
                    corners.push_back(corner);
                }
                const bool triple =
                    std::all_of(corners.begin(), corners.end(), [](const std::string& c) {
                        return std::count(c.begin(), c.end(), '/') == 2 &&
                               c.find("//") == std::string::npos;
                    });
                badFaces += corners.size() != 3 || !triple;
            }
        }
        EXPECT_GT(faces, 0);
        EXPECT_EQ(badFaces, 0);
        EXPECT_EQ(coordinates, positions);
        EXPECT_EQ(normals, positions);
        EXPECT_LE(faces, 5000) << "too heavy for a software rasteriser";

        // What the game's importer makes of it.
        const std::vector<GeometryData> meshes =
            importModel((generated::assetFolder() / "models" / (name + ".obj")).string());
        ASSERT_FALSE(meshes.empty());
        for (const GeometryData& mesh : meshes) {
            ASSERT_FALSE(mesh.positions.empty());
            EXPECT_EQ(mesh.normals.size(), mesh.positions.size());
            EXPECT_EQ(mesh.uvs.size(), mesh.positions.size());
            EXPECT_EQ(mesh.indices.size() % 3, 0u);
            for (const glm::vec3& normal : mesh.normals) {
                ASSERT_NEAR(glm::length(normal), 1.0f, 1e-3f);
            }
        }
    }
}

TEST(GeneratedModels, FacesAreWoundCounterClockwiseAroundTheirNormals)
{
    // The game culls back faces, so a face wound against its normal would vanish.
    for (const std::string& name : models) {
        int against = 0;
        for (const Triangle& triangle : generated::triangles(name)) {
            const glm::vec3 normal = triangle.normal[0] + triangle.normal[1] + triangle.normal[2];
            against += glm::dot(triangle.facing(), normal) <= 0.0f;
        }
        EXPECT_EQ(against, 0) << name;
    }
}

TEST(GeneratedModels, LightMappedModelsHaveAnAtlasWithoutOverlapInsideTheUnitSquare)
{
    constexpr int grid = 1024;
    for (const std::string& name : lightMapped) {
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> cover(grid * grid, 0);
        int overlaps = 0, outside = 0;
        for (const Triangle& triangle : generated::triangles(name)) {
            glm::vec2 low(1.0f), high(0.0f);
            for (const glm::vec2& uv : triangle.uv) {
                outside += uv.x < 0.0f || uv.y < 0.0f || uv.x > 1.0f || uv.y > 1.0f;
                low = glm::min(low, uv);
                high = glm::max(high, uv);
            }
            // Texel centres strictly inside the triangle: shared edges count for neither side.
            const glm::vec2 a = triangle.uv[0], b = triangle.uv[1], c = triangle.uv[2];
            const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
            for (int y = std::max(0, static_cast<int>(low.y * grid));
                 y <= std::min(grid - 1, static_cast<int>(high.y * grid)); ++y) {
                for (int x = std::max(0, static_cast<int>(low.x * grid));
                     x <= std::min(grid - 1, static_cast<int>(high.x * grid)); ++x) {
                    const glm::vec2 p((x + 0.5f) / grid, (y + 0.5f) / grid);
                    const float wb = ((p.x - a.x) * (c.y - a.y) - (c.x - a.x) * (p.y - a.y)) / area;
                    const float wc = ((b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y)) / area;
                    if (wb > 1e-6f && wc > 1e-6f && 1.0f - wb - wc > 1e-6f) {
                        overlaps += cover[y * grid + x]++ > 0;
                    }
                }
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_EQ(overlaps, 0);
    }
}

TEST(GeneratedModels, CounterTopsLieAtHeightZeroOverEveryCounterRun)
{
    // The stove's hob fills a hole in the far run, flush with the counter.
    std::vector<Triangle> tops = generated::triangles("counter");
    const std::vector<Triangle> stove = generated::triangles("stove");
    tops.insert(tops.end(), stove.begin(), stove.end());
    for (int run = 0; run < level::counterRunCount; ++run) {
        const Box collider = box(level::counterTops[run]);
        ASSERT_NEAR(collider.high().y, 0.0f, 1e-4f);
        std::string first;
        const auto points = gridOver(collider.low().x, collider.high().x, collider.low().z,
                                     collider.high().z, 1.5f, 0.02f);
        EXPECT_EQ(pointsNotAt(tops, points, 0.0f, first), 0)
            << "run " << run << ", first at " << first;
    }
    // Nothing of the counter or the stove stands above the tops: it would look walkable.
    EXPECT_LE(bounds(generated::triangles("counter")).second.y, 1e-4f);
    EXPECT_LE(bounds(stove).second.y, 1e-4f);
}

TEST(GeneratedModels, TheSinksRimTopsTheRimBoxesAndItsBasinFloorIsThePitFloor)
{
    const std::vector<Triangle> sink = generated::triangles("sink");
    for (int rim = level::counterRunCount; rim < 8; ++rim) {
        const Box collider = box(level::counterTops[rim]);
        const float x0 = collider.low().x, x1 = collider.high().x;
        std::string first;
        const auto points = gridOver(x0, x1, collider.low().z, collider.high().z, 0.3f, 0.02f);
        // The tap stands on the back rim; under it the rim is still there.
        EXPECT_EQ(pointsNotAt(sink, points, collider.high().y, first, Top::any), 0)
            << "rim " << rim << ", first at " << first;
    }
    // Inside the rim the basin's floor is the pit floor, under the water square at y = -1.5.
    const Box pit = box(level::pitFloor);
    const float insideX0 = box(level::counterTops[6]).high().x,
                insideX1 = box(level::counterTops[7]).low().x;
    const float insideZ0 = box(level::counterTops[4]).high().z,
                insideZ1 = box(level::counterTops[5]).low().z;
    std::string first;
    EXPECT_EQ(pointsNotAt(sink, gridOver(insideX0, insideX1, insideZ0, insideZ1, 1.0f, 0.02f),
                          pit.high().y, first),
              0)
        << first;
    EXPECT_LT(pit.high().y, level::waterCentre.y);
}

TEST(GeneratedModels, FloorCoversTheRoomAtTheKillPlaneAndWallsStandOnTheBoundaries)
{
    const float floorY = -level::killFloor.d;
    const float minX = -level::boundaries[2].d, maxX = level::boundaries[3].d;
    const float minZ = -level::boundaries[0].d, maxZ = level::boundaries[1].d;
    const std::vector<Triangle> floor = generated::triangles("floor");
    const auto [low, high] = bounds(floor);
    EXPECT_NEAR(low.y, floorY, 1e-4f);
    EXPECT_NEAR(high.y, floorY, 1e-4f);
    EXPECT_NEAR(low.x, minX, 1e-3f);
    EXPECT_NEAR(high.x, maxX, 1e-3f);
    EXPECT_NEAR(low.z, minZ, 1e-3f);
    EXPECT_NEAR(high.z, maxZ, 1e-3f);

    // The floor is left out only deep inside the counter runs and the tall block, which stand
    // on it from wall to front: everywhere else, and under the toe kick just inside a front,
    // it is there.
    // The sink's pit between the first two runs is closed by its rims and floor.
    std::vector<Box> solids{box(level::tallWallBlock), box(level::pitFloor)};
    for (const level::BoxShape& shape : level::counterTops) {
        solids.push_back(box(shape));
    }
    const auto under = [&](glm::vec2 point, float inset) {
        return std::any_of(solids.begin(), solids.end(), [&](const Box& solid) {
            return solid.holds({point.x, solid.centre.y, point.y}, -inset);
        });
    };
    std::vector<glm::vec2> open;
    for (const glm::vec2& point : gridOver(minX, maxX, minZ, maxZ, 5.0f, 0.01f)) {
        if (!under(point, -0.05f)) {
            open.push_back(point);
        }
    }
    for (float x = 0.0f; x < 140.0f; x += 10.0f) {
        open.emplace_back(x, level::counterTops[0].offset.z + level::counterTops[0].halfExtents.z -
                                 0.7f);
    }
    std::string first;
    EXPECT_EQ(pointsNotAt(floor, open, floorY, first), 0) << first;
    // Deep under them it is left out: shading it there would only be covered again. The stove,
    // drawn only while in view, closes its own opening in the far run.
    int hiddenButDrawn = 0;
    for (const glm::vec2& point : gridOver(minX, maxX, minZ, maxZ, 2.0f, 0.01f)) {
        const bool behindStove = point.x > layout::hob.x0 - 1.0f && point.x < layout::hob.x1 + 1.0f;
        hiddenButDrawn += under(point, 1.5f) && !behindStove &&
                          !generated::topsAt(floor, point.x, point.y).empty();
    }
    EXPECT_EQ(hiddenButDrawn, 0);

    // Every wall triangle lies on a boundary plane or on a face of the tall block.
    const Box block = box(level::tallWallBlock);
    const auto onSurface = [&](glm::vec3 p) {
        const bool onPlane = std::fabs(p.x - minX) < 1e-3f || std::fabs(p.x - maxX) < 1e-3f ||
                             std::fabs(p.z - minZ) < 1e-3f || std::fabs(p.z - maxZ) < 1e-3f;
        const bool onBlock = block.holds(p, 1e-3f) && !block.holds(p, -1e-3f);
        return onPlane || onBlock;
    };
    const std::vector<Triangle> walls = generated::triangles("walls");
    int stray = 0;
    for (const Triangle& triangle : walls) {
        const glm::vec3 middle =
            (triangle.corner[0] + triangle.corner[1] + triangle.corner[2]) / 3.0f;
        stray += !onSurface(middle);
    }
    EXPECT_EQ(stray, 0);
    const auto [wallLow, wallHigh] = bounds(walls);
    EXPECT_NEAR(wallLow.y, floorY, 1e-3f);
    EXPECT_NEAR(wallHigh.y, block.high().y, 1e-3f);
    EXPECT_NEAR(wallLow.x, minX, 1e-3f);
    EXPECT_NEAR(wallHigh.x, maxX, 1e-3f);
}

TEST(GeneratedModels, CabinetsFillTheSpaceUnderTheCounterRunsDownToTheFloor)
{
    const std::vector<Triangle> cabinets = generated::triangles("counter_cabinets");
    const auto [low, high] = bounds(cabinets);
    EXPECT_NEAR(low.y, -level::killFloor.d, 1e-3f);
    int stray = 0;
    for (const Triangle& triangle : cabinets) {
        for (const glm::vec3& corner : triangle.corner) {
            // Handles stand a little out of the fronts; nothing else leaves the counter's solids
            // (the runs, and the sink's rim and pit between the first two).
            const bool underACounter =
                box(level::pitFloor).holds(corner, 0.33f) ||
                std::any_of(
                    level::counterTops.begin(), level::counterTops.end(),
                    [&](const level::BoxShape& shape) { return box(shape).holds(corner, 0.33f); });
            stray += !underACounter || corner.y > -1.0f;
        }
    }
    EXPECT_EQ(stray, 0);
    // Each run's open front shows a face at the collider's face, facing the room.
    const Box first = box(level::counterTops[0]);
    const Box far = box(level::counterTops[3]);
    const auto facesAt = [&](glm::vec3 outward, float plane, int axis) {
        return std::count_if(cabinets.begin(), cabinets.end(), [&](const Triangle& triangle) {
            return glm::dot(triangle.facing(), outward) > 0.99f &&
                   std::fabs(triangle.corner[0][axis] - plane) < 1e-3f;
        });
    };
    EXPECT_GT(facesAt({0, 0, 1}, first.high().z, 2), 40);
    EXPECT_GT(facesAt({0, 0, -1}, far.low().z, 2), 20);
}

TEST(GeneratedModels, TableTopIsTheColliderTopAndItsLegsReachTheFloor)
{
    const std::vector<Triangle> table = generated::triangles("table");
    const Box collider{level::tableShapeOffset, level::tableHalfExtents};
    std::string first;
    EXPECT_EQ(pointsNotAt(table,
                          gridOver(collider.low().x, collider.high().x, collider.low().z,
                                   collider.high().z, 1.0f, 0.01f),
                          0.0f, first),
              0)
        << first;
    const auto [low, high] = bounds(table);
    EXPECT_NEAR(high.y, 0.0f, 1e-4f);
    EXPECT_NEAR(low.y, collider.low().y, 1e-3f); // 21 below the top: the floor
    for (const Triangle& triangle : table) {
        for (const glm::vec3& corner : triangle.corner) {
            ASSERT_TRUE(collider.holds(corner, 1e-3f));
        }
    }
}

TEST(GeneratedModels, ChairSeatBackAndLegsFollowTheChairShapes)
{
    const std::vector<Triangle> chair = generated::triangles("chair");
    const level::ChairShape& seatShape = level::chairShapes[0];
    const Box seat{seatShape.offset, seatShape.halfExtents};
    std::string first;
    // At its back the posts rise out of the seat, as their shapes do.
    EXPECT_EQ(
        pointsNotAt(chair,
                    gridOver(seat.low().x, seat.high().x, seat.low().z, seat.high().z, 0.5f, 0.01f),
                    seat.high().y, first, Top::any),
        0)
        << first;
    EXPECT_NEAR(seat.high().y, -8.54f, 1e-4f);

    // The back posts and the backrest are the tilted shapes: the model reaches their top and
    // stays inside them above the seat.
    std::vector<Box> upper;
    for (int shape = 1; shape < 4; ++shape) {
        const level::ChairShape& s = level::chairShapes[shape];
        upper.push_back(
            {s.offset, s.halfExtents, turn(s.angleX, {1, 0, 0}) * turn(s.angleZ, {0, 0, 1})});
    }
    float shapesTop = -1e30f;
    for (const Box& shape : upper) {
        shapesTop = std::max(shapesTop, shape.high().y);
    }
    const auto [low, high] = bounds(chair);
    EXPECT_NEAR(high.y, shapesTop, 1e-3f);
    EXPECT_NEAR(low.y, -level::killFloor.d, 1e-3f);
    int stray = 0;
    for (const Triangle& triangle : chair) {
        for (const glm::vec3& corner : triangle.corner) {
            if (corner.y > seat.high().y + 1e-3f) {
                stray += std::none_of(upper.begin(), upper.end(),
                                      [&](const Box& b) { return b.holds(corner, 1e-3f); });
            }
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST(GeneratedModels, BookPileFillsThePileBoxAndCarriesTheTopBook)
{
    const Box pile{glm::vec3(0.0f), level::bookPileHalfExtents};
    const Box topBook{level::topBookOffset, level::topBookHalfExtents,
                      turn(level::topBookAngleY, {0, 1, 0}) *
                          turn(level::topBookAngleX, {1, 0, 0})};
    const std::vector<Triangle> books = generated::triangles("book_pile");
    int inTopBook = 0;
    for (const Triangle& triangle : books) {
        for (const glm::vec3& corner : triangle.corner) {
            ASSERT_TRUE(pile.holds(corner, 1e-3f) || topBook.holds(corner, 1e-3f));
            inTopBook += !pile.holds(corner, 1e-3f);
        }
    }
    EXPECT_GT(inTopBook, 0);
    const auto [low, high] = bounds(books);
    EXPECT_NEAR(low.y, pile.low().y, 1e-3f);
    EXPECT_NEAR(high.y, topBook.high().y, 1e-3f);
    EXPECT_NEAR(low.x, std::min(pile.low().x, topBook.low().x), 1e-3f);
    EXPECT_NEAR(high.z, std::max(pile.high().z, topBook.high().z), 1e-3f);
}

TEST(GeneratedModels, BroomLiesAlongItsTwoRotatedBlocks)
{
    const glm::mat3 rotation = glm::mat3_cast(
        glm::quat(std::cos(level::broomHalfAngle), 0.0f, std::sin(level::broomHalfAngle), 0.0f));
    const Box handle{level::broomHandle.offset, level::broomHandle.halfExtents, rotation};
    const Box head{level::broomHead.offset, level::broomHead.halfExtents, rotation};
    int inHead = 0, inHandle = 0;
    for (const Triangle& triangle : generated::triangles("broom")) {
        for (const glm::vec3& corner : triangle.corner) {
            ASSERT_TRUE(handle.holds(corner, 1e-3f) || head.holds(corner, 1e-3f))
                << corner.x << ", " << corner.y << ", " << corner.z;
            inHead += head.holds(corner, 1e-3f);
            inHandle += handle.holds(corner, 1e-3f) && !head.holds(corner, 1e-3f);
        }
    }
    EXPECT_GT(inHead, 20);
    EXPECT_GT(inHandle, 20);
}

TEST(GeneratedModels, KnifeAndPizzaFillTheirDynamicBoxesAroundTheCentre)
{
    const auto [knifeLow, knifeHigh] = bounds(generated::triangles("knife"));
    const glm::vec3 knife = level::knifeHalfExtents;
    EXPECT_TRUE(glm::all(glm::greaterThanEqual(knifeLow, -knife - 1e-4f)));
    EXPECT_TRUE(glm::all(glm::lessThanEqual(knifeHigh, knife + 1e-4f)));
    EXPECT_NEAR(knifeLow.y, -knife.y, 0.02f); // handle end to blade tip
    EXPECT_NEAR(knifeHigh.y, knife.y, 0.02f);
    EXPECT_GT(knifeHigh.z - knifeLow.z, 1.8f * knife.z);

    const auto [pizzaLow, pizzaHigh] = bounds(generated::triangles("pizza"));
    const glm::vec3 pizza = level::pizzaHalfExtents;
    EXPECT_TRUE(glm::all(glm::greaterThanEqual(pizzaLow, -pizza - 1e-4f)));
    EXPECT_TRUE(glm::all(glm::lessThanEqual(pizzaHigh, pizza + 1e-4f)));
    EXPECT_NEAR(pizzaLow.y, -pizza.y, 1e-3f);
    EXPECT_NEAR(pizzaHigh.y, pizza.y, 1e-3f);
    EXPECT_NEAR(pizzaHigh.x, pizza.x, 0.05f);
    EXPECT_NEAR(pizzaLow.z, -pizza.z, 0.05f);
}

TEST(GeneratedModels, PlayerStandsOnItsFeetAtTheOriginAsTallAsTheCapsuleFacingPlusX)
{
    const std::vector<Triangle> player = generated::triangles("tamboro_game");
    const auto [low, high] = bounds(player);
    const float capsuleHeight =
        level::playerHeight + 2.0f * level::playerRadius + level::playerSkin;
    EXPECT_NEAR(low.y, 0.0f, 1e-3f);
    EXPECT_NEAR(high.y, capsuleHeight, 0.02f);
    EXPECT_LE(std::max(high.x, -low.x), level::playerRadius + 1e-3f);
    EXPECT_LE(std::max(high.z, -low.z), level::playerRadius + 1e-3f);
    // The face is painted on the left half of the texture, and only the +X side reads it.
    int front = 0;
    for (const Triangle& triangle : player) {
        const bool readsFace = std::all_of(std::begin(triangle.uv), std::end(triangle.uv),
                                           [](glm::vec2 uv) { return uv.x < 0.5f; });
        if (readsFace) {
            EXPECT_GT(triangle.facing().x, 0.99f);
            ++front;
        }
    }
    EXPECT_GT(front, 10);
}
