#include "render/geometry.h"
#include "render/mesh_bounds.h"

#include "build_tree_gl_test.h"
#include "support/dds_bytes.h"
#include "support/temp_dir.h"

#include <filesystem>

namespace {

// Models draw with the game's lit programs and DDS textures, all read relative to the working
// directory: each test runs in a folder holding the shader files and its own textures.
class GeometryTest : public ::testing::Test {
  protected:
    GeometryTest()
    {
        std::filesystem::create_directories(folder / "assets");
        std::filesystem::copy(std::filesystem::path(KORVEL_BINARY_DIR) / "assets/shader",
                              folder / "assets/shader");
        folder.write("assets/textures/white.dds",
                     DdsBytes{.blocks = DdsBytes::solidDxt1Block(0xFFFF)}.build());
        // About half grey: 16/31 red and blue, 32/63 green.
        folder.write("assets/textures/grey.dds",
                     DdsBytes{.blocks = DdsBytes::solidDxt1Block(0x8410)}.build());
        folder.write("models/square.obj", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\n"
                                          "vt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                                          "f 1/1/1 2/2/1 3/3/1 4/4/1\n");
        white = std::make_shared<Texture>("white.dds");
    }

    // A camera looking down -z at the unit square, white light from the front.
    static void lightFromTheFront(Shader& shader)
    {
        shader.use();
        shader.setUniform("viewProjMatrix", glm::mat4(1.0f));
        shader.setUniform("brightness", 1.0f);
        shader.setUniform("toon", 0);
        shader.setUniform("dirL.color", glm::vec3(1));
        shader.setUniform("dirL.direction", glm::vec3(0, 0, -1));
        shader.setUniform("pointL.color", glm::vec3(0));
        shader.setUniform("pointL.attenuation", glm::vec3(1, 0, 0));
    }

    // The middle row of the window after drawing the model alone.
    static std::vector<unsigned char> middleRow(Geometry& model)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.draw(glm::mat4(1.0f));
        std::vector<unsigned char> row(64 * 4);
        glReadPixels(0, 32, 64, 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
        return row;
    }

    TempDir folder;
    WorkingDirectory inFolder{folder.path()};
    GlContext context;
    std::shared_ptr<Texture> white;
};

} // namespace

TEST_F(GeometryTest, AModelFromItsFileIsDarkenedWhereItsLightMapIsGrey)
{
    auto mapped = std::make_shared<Shader>("texture.vert", "texture_lm.frag");
    auto flat = std::make_shared<TextureMaterial>(mapped, glm::vec3(1, 0, 0), 10.0f, white);
    Geometry square(glm::mat4(1.0f), makePlaceholderData(), flat,
                    std::make_shared<Texture>("grey.dds"));
    square.loadModel((folder / "models/square.obj").string());
    lightFromTheFront(*mapped);
    const std::vector<unsigned char> row = middleRow(square);
    // Ambient only, on white, times the light map's grey (16/31 = 0.516).
    EXPECT_NEAR(row[32 * 4 + 0], 132, 3);
    EXPECT_NEAR(row[32 * 4 + 1], 130, 3);
}
