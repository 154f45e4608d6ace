#include "render/mesh_bounds.h"
#include "render/model_import.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

TEST(ModelImport, FileAndMemoryGiveEveryMeshTriangulatedInFileOrder)
{
    // A textured triangle (its line and point are not drawn), then a quad named counting back
    // from the last vertex, with Windows line ends; a material library is named but never read.
    const std::string model =
        "mtllib library.mtl\r\no triangle\r\nv 0 0 0\r\nv 1 0 0\r\n"
        "v 0 1 0\r\nvt 0 0\r\nvt 1 0\r\nvt 0 0.25\r\nvn 0 0 1\r\n"
        "f 1/1/1 2/2/1 3/3/1\r\nl 1 2\r\np 3\r\no quad\r\nv 2 0 -1\r\nv 4 0 -1\r\n"
        "v 4 3 -1\r\nv 2 3 -1\r\nvn 0 1 0\r\nf -4//2 -3//2 -2//2 -1//2\r\n";
    const TempDir folder;
    folder.write("model.obj", model);
    folder.write("library.mtl", "map_Kd wood.dds\nnewmtl wood\n"); // crashes the reader
    for (const auto& meshes : {importModel((folder / "model.obj").string()),
                               importModel(std::as_bytes(std::span(model)), "obj")}) {
        ASSERT_EQ(meshes.size(), 2u);
        EXPECT_EQ(meshes[0].indices, (std::vector<std::uint32_t>{0, 1, 2}));
        EXPECT_EQ(meshes[0].positions[1] + meshes[0].normals[2], glm::vec3(1, 0, 1));
        EXPECT_EQ(meshes[0].uvs[2], glm::vec2(0.0f, 0.75f)); // flipped vertically
        EXPECT_EQ(meshes[1].indices.size(), 6u);
        EXPECT_EQ(meshes[1].uvs, std::vector<glm::vec2>(4, glm::vec2(0.0f)));
        EXPECT_LT(*std::max_element(meshes[1].indices.begin(), meshes[1].indices.end()), 4u);
        // Frustum culling keeps the mesh while this box is in view.
        const BoundingBox box = computeBoundingBox(meshes[1]);
        EXPECT_EQ(box.min, glm::vec3(2, 0, -1));
        EXPECT_EQ(box.extents, glm::vec3(2, 3, 0));
    }
}

TEST(ModelImport, BadOrUnreadableModelsGiveNothingAndPrintNothing)
{
    // The sanitizer build's leak checker also fails this test if a refused file leaks the meshes
    // of the objects before its bad record.
    const std::string first = "o first\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n";
    const std::string cases[]{
        "",
        first + "o second\nf 1//1 2//1 9//1\n", // a vertex the file lacks
        first + "o second\nf\t1//1 2//1 -9//1\n",
        first + "o second\nl 1 4\n",
        first + "o second\np 4 # two\r\n",
        "o bare\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", // no normals: it cannot be lit
        std::string("\x00\xff\x13 f 9 9 9\nf -4 0 2\n", 20),
        "mtllib l\nmap_Psl",
        std::string("mtllib mt://\0\0s\n", 16), // each crashed the reader
        "mtllib mis/2 ://",
        "mtlli\\\nb mis/2 ://",
    };
    const TempDir folder;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(importModel((folder / "absent.obj").string()).empty());
    for (const std::string& text : cases) {
        EXPECT_TRUE(importModel(std::as_bytes(std::span(text)), "obj").empty()) << text;
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
