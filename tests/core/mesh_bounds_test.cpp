#include "render/mesh_bounds.h"

#include <gtest/gtest.h>

namespace {

GeometryData pointsAt(std::initializer_list<glm::vec3> positions)
{
    GeometryData data;
    data.positions = positions;
    return data;
}

} // namespace

TEST(MeshBounds, TheBoxSpansTheSmallestAndLargestCoordinateOnEachAxis)
{
    const BoundingBox two = computeBoundingBox(pointsAt({{1, 2, 3}, {-1, 5, 0}}));
    EXPECT_EQ(two.min, glm::vec3(-1, 2, 0));
    EXPECT_EQ(two.extents, glm::vec3(2, 3, 3));
    EXPECT_EQ(two.placement, glm::mat4(1.0f));

    // The extremes of each axis come from different points.
    const BoundingBox scattered =
        computeBoundingBox(pointsAt({{0, 0, 0}, {4, -1, 2}, {-3, 6, 1}, {1, 1, -5}}));
    EXPECT_EQ(scattered.min, glm::vec3(-3, -1, -5));
    EXPECT_EQ(scattered.extents, glm::vec3(7, 7, 7));

    const BoundingBox single = computeBoundingBox(pointsAt({{7, -8, 9}}));
    EXPECT_EQ(single.min, glm::vec3(7, -8, 9));
    EXPECT_EQ(single.extents, glm::vec3(0));
}

TEST(MeshBounds, AMeshWithoutPositionsGetsTheEmptyBoxAtTheOrigin)
{
    const BoundingBox empty = computeBoundingBox(GeometryData{});
    EXPECT_EQ(empty.min, glm::vec3(0));
    EXPECT_EQ(empty.extents, glm::vec3(0));
}

TEST(MeshBounds, ThePlaceholderIsOneVertexAtTheOrigin)
{
    const GeometryData placeholder = makePlaceholderData();
    EXPECT_EQ(placeholder.positions, std::vector<glm::vec3>{glm::vec3(0)});
    EXPECT_EQ(placeholder.indices, std::vector<std::uint32_t>{0});
    EXPECT_EQ(placeholder.normals, std::vector<glm::vec3>{glm::vec3(1, 0, 0)});
    EXPECT_EQ(placeholder.uvs, std::vector<glm::vec2>{glm::vec2(0)});
    const BoundingBox box = computeBoundingBox(placeholder);
    EXPECT_EQ(box.min, glm::vec3(0));
    EXPECT_EQ(box.extents, glm::vec3(0));
}
