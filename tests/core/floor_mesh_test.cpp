// Cutting hidden areas out of a level chart atlas: what remains must look exactly as before
// and join without cracks.
#include "assetgen/floor_mesh.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

std::vector<generated::Triangle> trianglesOf(const Mesh& mesh)
{
    std::vector<generated::Triangle> out;
    const auto& indices = mesh.indices();
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        generated::Triangle triangle;
        for (int k = 0; k < 3; ++k) {
            const Vertex& vertex = mesh.vertices()[indices[i + k]];
            triangle.corner[k] = vertex.position;
            triangle.uv[k] = vertex.uv;
            triangle.normal[k] = vertex.normal;
        }
        out.push_back(triangle);
    }
    return out;
}

// The texture coordinate the model shows over (x, z), if it covers that point.
std::optional<glm::vec2> uvAt(const std::vector<generated::Triangle>& model, float x, float z)
{
    for (const generated::Triangle& triangle : model) {
        if (const auto w = generated::above(triangle, x, z)) {
            return (*w)[0] * triangle.uv[0] + (*w)[1] * triangle.uv[1] + (*w)[2] * triangle.uv[2];
        }
    }
    return std::nullopt;
}

// A floor long enough to be cut into several pieces, with aligned cuts, as the kitchen's is.
ChartAtlas longFloor()
{
    ChartAtlas atlas(256, 40.0f, 4);
    atlas.addRectangle({-5.0f, -21.0f, 30.0f}, {130.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -35.0f});
    atlas.pack();
    return atlas;
}

} // namespace

TEST(FloorMesh, LeavesOutTheHiddenAreasAndKeepsEveryOtherPointsTextureCoordinate)
{
    const ChartAtlas atlas = longFloor();
    ASSERT_GT(atlas.charts().size(), 2u);
    const std::vector<kitchen::Area> hidden{{-5.0f, 70.0f, -5.0f, 3.0f},
                                            {60.0f, 80.0f, 20.0f, 30.0f}};
    const auto whole = trianglesOf(atlas.mesh());
    const auto cut = trianglesOf(meshOutside(atlas, hidden));

    int checked = 0;
    for (float x = -4.9f; x < 125.0f; x += 1.3f) {
        for (float z = -4.9f; z < 30.0f; z += 0.7f) {
            const bool isHidden = std::any_of(hidden.begin(), hidden.end(), [&](auto& area) {
                return x > area.x0 && x < area.x1 && z > area.z0 && z < area.z1;
            });
            const auto before = uvAt(whole, x, z);
            const auto after = uvAt(cut, x, z);
            ASSERT_TRUE(before.has_value());
            if (isHidden) {
                EXPECT_FALSE(after.has_value()) << x << ", " << z;
                continue;
            }
            ASSERT_TRUE(after.has_value()) << x << ", " << z;
            EXPECT_NEAR(after->x, before->x, 1e-5f) << x << ", " << z;
            EXPECT_NEAR(after->y, before->y, 1e-5f) << x << ", " << z;
            ++checked;
        }
    }
    EXPECT_GT(checked, 3000);
}

TEST(FloorMesh, EveryInnerEdgeIsSharedWholeByTwoTriangles)
{
    // Corners meeting only part of a neighbour's edge would let pixels fall through the gap.
    const ChartAtlas atlas = longFloor();
    const Mesh mesh = meshOutside(atlas, {{10.0f, 52.5f, -5.0f, 12.0f}});
    using Point = std::tuple<float, float>;
    std::map<std::pair<Point, Point>, int> edges;
    const auto& indices = mesh.indices();
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        for (int k = 0; k < 3; ++k) {
            const glm::vec3 a = mesh.vertices()[indices[i + k]].position;
            const glm::vec3 b = mesh.vertices()[indices[i + (k + 1) % 3]].position;
            Point p{a.x, a.z}, q{b.x, b.z};
            ++edges[{std::min(p, q), std::max(p, q)}];
        }
    }
    // Inner edges appear exactly twice, outline edges once; no corner lies inside any edge.
    int overUsed = 0, tJunctions = 0;
    std::vector<Point> corners;
    for (const auto& [edge, count] : edges) {
        overUsed += count > 2;
        corners.push_back(edge.first);
        corners.push_back(edge.second);
    }
    for (const auto& [edge, count] : edges) {
        (void)count;
        const auto [ax, az] = edge.first;
        const auto [bx, bz] = edge.second;
        for (const auto& [px, pz] : corners) {
            const bool strictlyInside =
                (ax == bx && px == ax && pz > std::min(az, bz) && pz < std::max(az, bz)) ||
                (az == bz && pz == az && px > std::min(ax, bx) && px < std::max(ax, bx));
            tJunctions += strictlyInside;
        }
    }
    EXPECT_GT(edges.size(), 20u);
    EXPECT_EQ(overUsed, 0);
    EXPECT_EQ(tJunctions, 0);
}
