#include "render/scene_pass.h"

#include "render/shader_program_builder.h"

#include "build_tree_gl_test.h"
#include "support/temp_dir.h"

#include <glm/vec3.hpp>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Draws up to four rectangles into the scene pass's target with a program of the test's own.
// Each is x0, y0, x1, y1 in clip space, then z0 and z1, its depth on the left and on the right
// (a flat surface, tilted unless they are equal), then its colour.
void drawScene(ScenePass& pass, const std::vector<std::array<float, 9>>& rectangles)
{
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> colours;
    for (const auto& [x0, y0, x1, y1, z0, z1, r, g, b] : rectangles) {
        for (const int corner : {0, 1, 2, 0, 2, 3}) { // anticlockwise from the bottom left
            const bool right = corner == 1 || corner == 2;
            positions.emplace_back(right ? x1 : x0, corner < 2 ? y0 : y1, right ? z1 : z0);
            colours.emplace_back(r, g, b);
        }
    }
    const GlProgram program(linkShaderProgram(
        compileShaderStage(GL_VERTEX_SHADER,
                           "#version 430 core\nuniform vec3 corners[24];\n"
                           "uniform vec3 colours[24];\nout vec3 colour;\n"
                           "void main() { colour = colours[gl_VertexID];\n"
                           "  gl_Position = vec4(corners[gl_VertexID], 1.0); }\n",
                           "scene.vert"),
        compileShaderStage(GL_FRAGMENT_SHADER,
                           "#version 430 core\nin vec3 colour;\nout vec4 fragColour;\n"
                           "void main() { fragColour = vec4(colour, 1.0); }\n",
                           "scene.frag")));
    const GlVertexArray empty = makeVertexArray();
    pass.bindRenderTarget(false);
    glUseProgram(program.get());
    const auto count = static_cast<GLsizei>(positions.size());
    glUniform3fv(glGetUniformLocation(program.get(), "corners"), count, &positions[0].x);
    glUniform3fv(glGetUniformLocation(program.get(), "colours"), count, &colours[0].x);
    glBindVertexArray(empty.get());
    glDrawArrays(GL_TRIANGLES, 0, count);
    glBindVertexArray(0);
}

double saturation(Rgb pixel)
{
    const int high = std::max({pixel.r, pixel.g, pixel.b});
    const int low = std::min({pixel.r, pixel.g, pixel.b});
    return high == 0 ? 0.0 : static_cast<double>(high - low) / high;
}

double luminance(Rgb pixel)
{
    return 0.299 * pixel.r + 0.587 * pixel.g + 0.114 * pixel.b;
}

bool sameColour(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
}

// Where the pass reads its shader files: the build tree's, or for the shader's fallback (drivers
// without fine derivatives, where each pixel reads all five depth taps) a copy whose extension
// test can never hold.
std::filesystem::path shaderFolder(bool fallback, const TempDir& temp)
{
    if (!fallback) {
        return KORVEL_BINARY_DIR;
    }
    for (const char* file : {"postProcess.vert", "postProcess.frag"}) {
        std::ifstream in(std::string(KORVEL_BINARY_DIR "/") + shaderFolderPath + file);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (size_t at = text.find("GL_ARB_derivative_control"); at != std::string::npos;
             at = text.find("GL_ARB_derivative_control", at)) {
            text.replace(at, 25, "NO_SUCH_EXTENSION_AT_ALL_");
        }
        temp.write(shaderFolderPath + std::string(file), text);
    }
    return temp.path();
}

class ScenePassTest : public BuildTreeGlTest, public ::testing::WithParamInterface<bool> {
  protected:
    Picture composed(bool outlines, bool dead)
    {
        pass.postProcess(outlines, dead);
        return Picture();
    }
    TempDir temp;
    WorkingDirectory shaders{shaderFolder(GetParam(), temp)};
    ScenePass pass{windowWidth, windowHeight, 0.1f, 100.0f};
};

} // namespace

INSTANTIATE_TEST_SUITE_P(SharedAndFiveTapDepths, ScenePassTest, ::testing::Bool());

TEST_P(ScenePassTest, TheDeadLookIsGreyerAndDarkerEverywhere)
{
    drawScene(pass, {{-1, -1, 0, 0, 0, 0, 1.0f, 0.1f, 0.1f},
                     {0, -1, 1, 0, 0, 0, 0.1f, 0.9f, 0.2f},
                     {-1, 0, 0, 1, 0, 0, 0.2f, 0.3f, 1.0f},
                     {0, 0, 1, 1, 0, 0, 1.0f, 0.9f, 0.1f}});
    const Picture alive = composed(false, false);
    const Picture dead = composed(false, true);
    for (const auto& [x, y] : {std::pair{16, 16}, {48, 16}, {16, 48}, {48, 48}}) {
        EXPECT_GT(saturation(alive.at(x, y)), 0.7) << "alive shows the scene as is";
        EXPECT_LT(saturation(dead.at(x, y)), 0.5) << x << "," << y;
        EXPECT_LT(luminance(dead.at(x, y)), 0.6 * luminance(alive.at(x, y))) << x << "," << y;
    }
}

TEST_P(ScenePassTest, OutlinesDarkenDepthStepsAndLeaveFlatSurfacesAlone)
{
    // A near square (pixels 19 to 44 each way) over a wall that tilts away to the right.
    drawScene(pass, {{-0.4f, -0.4f, 0.4f, 0.4f, -0.8f, -0.8f, 1.0f, 0.6f, 0.2f},
                     {-1, -1, 1, 1, -0.6f, 0.8f, 0.6f, 0.6f, 0.6f}});
    const Picture plain = composed(false, false);
    const Picture outlined = composed(true, false);
    for (int y = 22; y <= 41; y += 3) {
        for (const int x : {18, 19, 44, 45}) {
            EXPECT_LT(luminance(outlined.at(x, y)), 0.5 * luminance(plain.at(x, y)))
                << "edge pixel " << x << "," << y;
        }
    }
    // Away from the square's edges both surfaces keep their colour, the tilted wall included.
    ASSERT_TRUE(sameColour(plain.at(4, 4), {153, 153, 153})) << "the wall is in view";
    for (int y = 0; y < windowHeight; ++y) {
        for (int x = 0; x < windowWidth; ++x) {
            const bool nearEdge = x >= 16 && x <= 47 && y >= 16 && y <= 47 &&
                                  !(x >= 22 && x <= 41 && y >= 22 && y <= 41);
            if (!nearEdge) {
                EXPECT_TRUE(sameColour(outlined.at(x, y), plain.at(x, y)))
                    << "flat pixel " << x << "," << y;
            }
        }
    }
}

TEST_P(ScenePassTest, OutlinesKeepTheirStrengthWithAFarPlaneOf400)
{
    // A wall receding from 116 to 150 units that folds flat there: a gentle crease between
    // pixels 31 and 32, faint if the filter read the depth with other clip distances.
    ScenePass longView{windowWidth, windowHeight, 0.1f, 400.0f};
    const auto depth = [](float z) { return 400.1f / 399.9f - 80.0f / (399.9f * z); };
    drawScene(longView, {{-1, -1, 0, 1, depth(116), depth(150), 0.6f, 0.6f, 0.6f},
                         {0, -1, 1, 1, depth(150), depth(150), 0.6f, 0.6f, 0.6f}});
    longView.postProcess(false, false);
    const Picture plain;
    longView.postProcess(true, false);
    const Picture outlined;
    for (const int x : {31, 32}) {
        EXPECT_LT(luminance(outlined.at(x, 32)), 0.5 * luminance(plain.at(x, 32))) << x;
    }
    EXPECT_TRUE(sameColour(outlined.at(16, 32), plain.at(16, 32))) << "the tilted wall is flat";
}

// Both ways of reading the depth picture outline the very same pixels: overlapping boxes with
// edges on even and odd rows and columns, before a tilted wall.
using DepthReadingTest = BuildTreeGlTest;

TEST_F(DepthReadingTest, SharedQuadDepthsOutlineExactlyWhereAllFiveTapsDo)
{
    const std::vector<std::array<float, 9>> scene = {
        {-0.7f, -0.55f, 0.1f, 0.3f, -0.5f, -0.2f, 0.9f, 0.5f, 0.2f},
        {-0.2f, -0.9f, 0.8f, -0.05f, 0.3f, 0.3f, 0.2f, 0.7f, 0.4f},
        {0.35f, 0.1f, 0.95f, 0.75f, -0.9f, 0.6f, 0.3f, 0.4f, 0.9f},
        {-1, -1, 1, 1, -0.6f, 0.8f, 0.6f, 0.6f, 0.6f}};
    ScenePass shared{windowWidth, windowHeight, 0.1f, 100.0f};
    drawScene(shared, scene);
    shared.postProcess(false, false);
    const Picture plain;
    shared.postProcess(true, false);
    const Picture sharedOutlines;
    ASSERT_LT(luminance(sharedOutlines.at(9, 30)), 0.5 * luminance(plain.at(9, 30)))
        << "the first box's left edge is outlined";

    TempDir temp;
    const WorkingDirectory fallbackShaders{shaderFolder(true, temp)};
    ScenePass fiveTaps{windowWidth, windowHeight, 0.1f, 100.0f};
    drawScene(fiveTaps, scene);
    fiveTaps.postProcess(true, false);
    const Picture fiveTapOutlines;
    for (int y = 0; y < windowHeight; ++y) {
        for (int x = 0; x < windowWidth; ++x) {
            EXPECT_TRUE(sameColour(sharedOutlines.at(x, y), fiveTapOutlines.at(x, y)))
                << x << "," << y;
        }
    }
}
