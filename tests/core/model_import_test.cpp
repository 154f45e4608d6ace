#include "render/model_import.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Two objects: a textured triangle and a textured quad that the importer must triangulate.
const char* const twoMeshes = R"(o triangle
v 0 0 0
v 1 0 0
v 0 1 0
vt 0 0
vt 1 0
vt 0 0.25
vn 0 0 1
f 1/1/1 2/2/1 3/3/1
o quad
v 2 0 -1
v 4 0 -1
v 4 3 -1
v 2 3 -1
vt 0 0
vt 1 0
vt 1 1
vt 0 1
vn 0 1 0
f 4/4/2 5/5/2 6/6/2 7/7/2
)";

std::vector<GeometryData> importText(const std::string& text)
{
    TempDir folder;
    folder.write("model.obj", text);
    return importModel((folder / "model.obj").string());
}

std::vector<std::byte> bytesOf(const std::string& text)
{
    std::vector<std::byte> bytes(text.size());
    std::memcpy(bytes.data(), text.data(), text.size());
    return bytes;
}

} // namespace

TEST(ModelImport, EveryMeshBecomesOneRecordInFileOrder)
{
    const std::vector<GeometryData> meshes = importText(twoMeshes);
    ASSERT_EQ(meshes.size(), 2u);

    const GeometryData& triangle = meshes[0];
    ASSERT_EQ(triangle.positions.size(), 3u);
    EXPECT_EQ(triangle.normals.size(), 3u);
    EXPECT_EQ(triangle.uvs.size(), 3u);
    EXPECT_EQ(triangle.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(triangle.positions[1], glm::vec3(1, 0, 0));
    EXPECT_EQ(triangle.normals[2], glm::vec3(0, 0, 1));
    EXPECT_FLOAT_EQ(triangle.uvs[2].y, 0.75f); // flipped vertically: 1 - 0.25

    const GeometryData& quad = meshes[1];
    EXPECT_EQ(quad.indices.size(), 6u); // two triangles
    EXPECT_EQ(quad.positions.size(), quad.normals.size());
    EXPECT_EQ(quad.positions.size(), quad.uvs.size());
    for (const std::uint32_t index : quad.indices) {
        EXPECT_LT(index, quad.positions.size());
    }
    EXPECT_EQ(quad.normals[0], glm::vec3(0, 1, 0));
}

TEST(ModelImport, MissingCoordinatesGiveZeroUvs)
{
    const std::vector<GeometryData> meshes =
        importText("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n");
    ASSERT_EQ(meshes.size(), 1u);
    ASSERT_EQ(meshes[0].uvs.size(), 3u);
    for (const glm::vec2& uv : meshes[0].uvs) {
        EXPECT_EQ(uv, glm::vec2(0.0f));
    }
}

TEST(ModelImport, PointsAndLinesAreLeftOutOfTheTriangleList)
{
    const std::vector<GeometryData> meshes = importText("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\n"
                                                        "vn 0 0 1\n"
                                                        "f 1//1 2//1 3//1\nl 1 4\np 4\n");
    std::size_t triangleIndices = 0;
    for (const GeometryData& mesh : meshes) {
        EXPECT_EQ(mesh.indices.size() % 3, 0u);
        triangleIndices += mesh.indices.size();
    }
    EXPECT_EQ(triangleIndices, 3u);
}

TEST(ModelImport, MeshesWithoutNormalsAreRefused)
{
    const std::vector<GeometryData> meshes = importText("o bare\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                                        "f 1 2 3\n"
                                                        "o lit\nv 0 0 1\nv 1 0 1\nv 0 1 1\n"
                                                        "vn 0 0 1\nf 4//1 5//1 6//1\n");
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].positions[0].z, 1.0f);
}

TEST(ModelImport, UnreadableFilesGiveNothingAndPrintNothing)
{
    TempDir folder;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(importModel((folder / "absent.obj").string()).empty());
    folder.write("empty.obj", "");
    EXPECT_TRUE(importModel((folder / "empty.obj").string()).empty());
    folder.write("noise.obj", std::string("\x00\xff\x13 f 9 9 9\nf -4 0 2\n", 20));
    EXPECT_TRUE(importModel((folder / "noise.obj").string()).empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ModelImport, MemoryBuffersImportLikeFiles)
{
    const std::vector<std::byte> bytes = bytesOf(twoMeshes);
    const std::vector<GeometryData> fromMemory = importModel(bytes, "obj");
    const std::vector<GeometryData> fromFile = importText(twoMeshes);
    ASSERT_EQ(fromMemory.size(), fromFile.size());
    for (std::size_t m = 0; m < fromFile.size(); ++m) {
        EXPECT_EQ(fromMemory[m].positions, fromFile[m].positions);
        EXPECT_EQ(fromMemory[m].indices, fromFile[m].indices);
    }
    EXPECT_TRUE(importModel(std::span<const std::byte>(), "obj").empty());
}

TEST(ModelImport, ARecordNamingAMissingVertexRefusesTheFileAndLeaksNothing)
{
    // The importer used to lose the meshes of the objects before the bad one; the leak
    // checker of the sanitizer build fails this test if any of them is lost again.
    const std::string firstObject = "o first\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n"
                                    "f 1//1 2//1 3//1\no second\n";
    for (const char* badRecord :
         {"f 1//1 2//1 9//1\n", "f\t1//1 2//1 -9//1\n", "l 1 4\n", "p 4 # two\r\n"}) {
        EXPECT_TRUE(importText(firstObject + badRecord).empty()) << badRecord;
    }
}

TEST(ModelImport, EveryWayOfNamingAnExistingVertexStillImports)
{
    // A face before its vertices, one counting back from the last vertex, Windows line ends.
    const std::vector<GeometryData> meshes =
        importText("vn 0 0 1\r\nf 1//1 2//1 3//1\r\no back\r\nv 0 0 0\r\nv 1 0 0\r\n"
                   "v 0 1 0\r\nv 1 1 0\r\nf -1//1 -2//1 -3//1\r\n");
    ASSERT_EQ(meshes.size(), 2u);
    EXPECT_EQ(meshes[0].positions[0], glm::vec3(0, 0, 0));
    EXPECT_EQ(meshes[1].positions[0], glm::vec3(1, 1, 0));
}

TEST(ModelImport, NoOtherFileIsReadSoAHostileMaterialLibraryCannotCrash)
{
    // The importer's material reader writes through a null pointer on a texture line before
    // any material; it used to read the library the model names, or one named like the model,
    // or the model itself when read from memory.
    const std::string model = "mtllib library.mtl\nusemtl wood\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                              "vn 0 0 1\nf 1//1 2//1 3//1\nmap_Kd wood.dds\n";
    TempDir folder;
    folder.write("library.mtl", "map_Kd wood.dds\nnewmtl wood\n");
    folder.write("model.mtl", "map_Kd wood.dds\nnewmtl wood\n");
    folder.write("model.obj", model);
    EXPECT_EQ(importModel((folder / "model.obj").string()).size(), 1u);
    EXPECT_EQ(importModel(bytesOf(model), "obj").size(), 1u);
    EXPECT_TRUE(importModel(bytesOf("mtllib l\nmap_Psl"), "obj").empty());
}
