#include "render/procedural_surface.h"

#include "build_tree_gl_test.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// Orthographic, 24 x 24 units around the pit over 64 pixels: x to the right, -z up.
glm::mat4 lookingAtThePit(float height)
{
    const glm::vec3 centre(112.0f, -1.5f, 0.0f);
    const glm::vec3 up = height > 0.0f ? glm::vec3(0, 0, -1) : glm::vec3(0, 0, 1);
    return glm::ortho(-12.0f, 12.0f, -12.0f, 12.0f, 0.1f, 100.0f) *
           glm::lookAt(centre + glm::vec3(0.0f, height, 0.0f), centre, up);
}

class ProceduralSurfaceTest : public BuildTreeGlTest {
  protected:
    void SetUp() override
    {
        BuildTreeGlTest::SetUp();
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
    }
    Picture drawn(const ProceduralSurface& surface, const glm::mat4& viewProj)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        surface.draw(viewProj);
        return Picture();
    }
};

} // namespace

TEST_F(ProceduralSurfaceTest, SquareOfTenPointThreeLiesOverThePitFacingUp)
{
    ProceduralSurface surface;
    EXPECT_EQ(surface.indices(), 6);
    surface.transformation = waterTransformation();
    const Picture fromAbove = drawn(surface, lookingAtThePit(20.0f));

    // Edges at x 106.85 and 117.15, z -5.15 and 5.15: at 18.3 and 45.7 of 64 pixels, so the
    // pixel centres 18.5 to 45.5 are covered.
    for (int y = 18; y <= 45; ++y) {
        EXPECT_FALSE(isWhite(fromAbove.at(18, y))) << y;
        EXPECT_FALSE(isWhite(fromAbove.at(45, y))) << y;
        EXPECT_TRUE(isWhite(fromAbove.at(17, y))) << y;
        EXPECT_TRUE(isWhite(fromAbove.at(46, y))) << y;
    }
    EXPECT_TRUE(isWhite(fromAbove.at(32, 17)));
    EXPECT_TRUE(isWhite(fromAbove.at(32, 46)));
    EXPECT_EQ(fromAbove.countWhere([](Rgb p) { return !isWhite(p); }), 28 * 28);

    // From below it shows its back, which face culling removes.
    const Picture fromBelow = drawn(surface, lookingAtThePit(-20.0f));
    EXPECT_EQ(fromBelow.countWhere([](Rgb p) { return !isWhite(p); }), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ProceduralSurfaceTest, MovesWithTheClockAtAFixedResolution)
{
    ProceduralSurface surface;
    surface.transformation = waterTransformation();
    glfwSetTime(0.0);
    const Picture early = drawn(surface, lookingAtThePit(20.0f));
    glfwSetTime(3.7);
    const Picture later = drawn(surface, lookingAtThePit(20.0f));
    EXPECT_FALSE(early == later);

    // The uniforms of the last draw: the clock, the fixed resolution and the placement.
    const GLuint program = surface.programName();
    float time = 0.0f;
    float res[2] = {};
    float transformation[16] = {};
    glGetUniformfv(program, glGetUniformLocation(program, "time"), &time);
    glGetUniformfv(program, glGetUniformLocation(program, "res"), res);
    glGetUniformfv(program, glGetUniformLocation(program, "transformation"), transformation);
    EXPECT_NEAR(time, 3.7f, 0.5f);
    EXPECT_EQ(res[0], 1024.0f);
    EXPECT_EQ(res[1], 768.0f);
    EXPECT_EQ(transformation[12], 112.0f);
    EXPECT_EQ(transformation[13], -1.5f);
    EXPECT_EQ(transformation[14], 0.0f);
}
