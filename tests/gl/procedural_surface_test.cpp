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
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        surface.transformation = waterTransformation();
    }
    Picture drawn(float height, float time = 0.0f)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        surface.draw(lookingAtThePit(height), time);
        return Picture();
    }
    ProceduralSurface surface;
};

} // namespace

TEST_F(ProceduralSurfaceTest, ASquareOfTenPointThreeLiesOverThePitFacingUpAndMovesWithTheClock)
{
    // Edges at x 106.85 and 117.15, z -5.15 and 5.15: at 18.3 and 45.7 of 64 pixels, so the
    // pixel centres 18.5 to 45.5 are covered.
    const Picture fromAbove = drawn(20.0f);
    EXPECT_FALSE(isWhite(fromAbove.at(18, 18)));
    EXPECT_FALSE(isWhite(fromAbove.at(45, 45)));
    const auto coloured = [](Rgb p) { return !isWhite(p); };
    EXPECT_EQ(fromAbove.countWhere(coloured), 28 * 28);
    // From below it shows its back, which face culling removes.
    EXPECT_EQ(drawn(-20.0f).countWhere(coloured), 0);

    // It moves with the clock it is given, and only with that.
    EXPECT_FALSE(fromAbove == drawn(20.0f, 3.7f));
    EXPECT_TRUE(fromAbove == drawn(20.0f, 0.0f));
}
