#include "render/scene_pass.h"

#include "render/shader.h"
#include "render/shader_program_builder.h"

#include "build_tree_gl_test.h"

#include <algorithm>
#include <vector>

namespace {

// Draws triangles given as x, y, z (clip space) and r, g, b per corner: the test's own scene.
class FlatScene {
  public:
    FlatScene()
        : program(linkShaderProgram(
              compileShaderStage(GL_VERTEX_SHADER,
                                 "#version 430 core\n"
                                 "layout(location = 0) in vec3 position;\n"
                                 "layout(location = 1) in vec3 colour;\n"
                                 "out vec3 vertexColour;\n"
                                 "void main() { vertexColour = colour;\n"
                                 "  gl_Position = vec4(position, 1.0); }\n",
                                 "scene.vert"),
              compileShaderStage(GL_FRAGMENT_SHADER,
                                 "#version 430 core\n"
                                 "in vec3 vertexColour;\n"
                                 "out vec4 fragColour;\n"
                                 "void main() { fragColour = vec4(vertexColour, 1.0); }\n",
                                 "scene.frag"))),
          vertexArray(makeVertexArray()), buffer(makeBuffer())
    {
    }

    void draw(const std::vector<float>& corners) const
    {
        glUseProgram(program.get());
        glBindVertexArray(vertexArray.get());
        glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(float)),
                     corners.data(), GL_STREAM_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 6 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 6 * sizeof(float),
                              reinterpret_cast<const void*>(3 * sizeof(float)));
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners.size() / 6));
        glBindVertexArray(0);
    }

    // A rectangle from (x0, y0) to (x1, y1) whose depth runs from z0 on the left to z1 on the
    // right: a flat surface, tilted unless z0 == z1.
    static void addRectangle(std::vector<float>& corners, float x0, float y0, float x1, float y1,
                             float z0, float z1, float r, float g, float b)
    {
        const float quad[6][3] = {{x0, y0, z0}, {x1, y0, z1}, {x1, y1, z1},
                                  {x0, y0, z0}, {x1, y1, z1}, {x0, y1, z0}};
        for (const auto& corner : quad) {
            corners.insert(corners.end(), {corner[0], corner[1], corner[2], r, g, b});
        }
    }

  private:
    GlProgram program;
    GlVertexArray vertexArray;
    GlBuffer buffer;
};

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

struct PictureMeans {
    double saturation = 0.0;
    double luminance = 0.0;
};

PictureMeans means(const Picture& picture)
{
    PictureMeans sum;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            sum.saturation += saturation(picture.at(x, y));
            sum.luminance += luminance(picture.at(x, y));
        }
    }
    const double count = picture.width * picture.height;
    return {sum.saturation / count, sum.luminance / count};
}

class ScenePassTest : public BuildTreeGlTest {
  protected:
    void SetUp() override
    {
        BuildTreeGlTest::SetUp();
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    }

    Picture composed(ScenePass& pass, bool outlines, bool dead)
    {
        pass.postProcess(outlines, dead);
        return Picture();
    }
};

bool sameColour(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
}

} // namespace

TEST_F(ScenePassTest, CreatesACompleteTargetOfTheWindowSizeWithTheSamplersOnUnitsZeroAndOne)
{
    testing::internal::CaptureStdout();
    ScenePass pass(windowWidth, windowHeight);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(pass.complete());

    glBindFramebuffer(GL_FRAMEBUFFER, pass.framebufferName());
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    GLint depthBits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                          GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
    EXPECT_EQ(depthBits, 24);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, pass.colorTextureName());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, windowWidth);

    const GLuint program = pass.shader().getHandle();
    GLint unit = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "screenTexture"), &unit);
    EXPECT_EQ(unit, 0);
    glGetUniformiv(program, glGetUniformLocation(program, "depthTexture"), &unit);
    EXPECT_EQ(unit, 1);
}

TEST_F(ScenePassTest, TheFrameStartsOnTheOffScreenTargetOrTheWindowInWireframe)
{
    ScenePass pass(windowWidth, windowHeight);
    GLint bound = -1;
    glDisable(GL_DEPTH_TEST);
    pass.bindRenderTarget(false);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), pass.framebufferName());
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(isWhite(Picture().at(10, 10))) << "cleared to the clear colour";

    glDisable(GL_DEPTH_TEST);
    pass.bindRenderTarget(true);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    // Composing leaves the window bound and the depth test off for the HUD.
    pass.postProcess(true, false);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ScenePassTest, TheDeadLookIsClearlyGreyerAndDarker)
{
    ScenePass pass(windowWidth, windowHeight);
    FlatScene scene;
    std::vector<float> quadrants;
    FlatScene::addRectangle(quadrants, -1, -1, 0, 0, 0, 0, 1.0f, 0.1f, 0.1f);
    FlatScene::addRectangle(quadrants, 0, -1, 1, 0, 0, 0, 0.1f, 0.9f, 0.2f);
    FlatScene::addRectangle(quadrants, -1, 0, 0, 1, 0, 0, 0.2f, 0.3f, 1.0f);
    FlatScene::addRectangle(quadrants, 0, 0, 1, 1, 0, 0, 1.0f, 0.9f, 0.1f);
    pass.bindRenderTarget(false);
    scene.draw(quadrants);

    const Picture alive = composed(pass, false, false);
    const Picture dead = composed(pass, false, true);
    EXPECT_TRUE(sameColour(alive.at(16, 16), {255, 25, 25})) << "alive shows the scene as is";
    const PictureMeans aliveMeans = means(alive);
    const PictureMeans deadMeans = means(dead);
    EXPECT_GT(aliveMeans.saturation, 0.8);
    EXPECT_LT(deadMeans.saturation, 0.5 * aliveMeans.saturation);
    EXPECT_LT(deadMeans.luminance, 0.6 * aliveMeans.luminance);
    // Every pixel, not just the average, loses its colour and light.
    for (const auto& [x, y] : {std::pair{16, 16}, {48, 16}, {16, 48}, {48, 48}}) {
        EXPECT_LT(saturation(dead.at(x, y)), 0.5) << x << "," << y;
        EXPECT_LT(luminance(dead.at(x, y)), 0.6 * luminance(alive.at(x, y))) << x << "," << y;
    }
}

TEST_F(ScenePassTest, OutlinesDarkenDepthStepsAndLeaveFlatSurfacesAlone)
{
    ScenePass pass(windowWidth, windowHeight);
    FlatScene scene;
    std::vector<float> corners;
    // A near square over a wall that tilts away from the viewer to the right.
    FlatScene::addRectangle(corners, -0.4f, -0.4f, 0.4f, 0.4f, -0.8f, -0.8f, 1.0f, 0.6f, 0.2f);
    FlatScene::addRectangle(corners, -1, -1, 1, 1, -0.6f, 0.8f, 0.6f, 0.6f, 0.6f);
    pass.bindRenderTarget(false);
    scene.draw(corners);

    const Picture plain = composed(pass, false, false);
    const Picture outlined = composed(pass, true, false);
    // The square covers pixels 19 to 44 in both directions.
    for (int y = 22; y <= 41; y += 3) {
        for (const int x : {18, 19, 44, 45}) {
            EXPECT_LT(luminance(outlined.at(x, y)), 0.5 * luminance(plain.at(x, y)))
                << "edge pixel " << x << "," << y;
        }
    }
    int flatPixels = 0;
    for (int y = 0; y < windowHeight; ++y) {
        for (int x = 0; x < windowWidth; ++x) {
            const bool nearEdge = x >= 16 && x <= 47 && y >= 16 && y <= 47 &&
                                  !(x >= 22 && x <= 41 && y >= 22 && y <= 41);
            if (!nearEdge) {
                ++flatPixels;
                EXPECT_TRUE(sameColour(outlined.at(x, y), plain.at(x, y)))
                    << "flat pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(flatPixels, 2000);
}
