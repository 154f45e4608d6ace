#include "app/input_state.h"
#include "render/lights.h"
#include "render/orbit_camera.h"
#include "render/per_frame_uniforms.h"
#include "render/player_camera.h"
#include "render/shader.h"

#include "support/gl_context.h"
#include "support/working_directory.h"

#include <glm/gtc/type_ptr.hpp>

#include <memory>
#include <string>

namespace {

// The two lit programs built from the game's shader files, and the cameras and lights of the
// scene.
class PerFrameUniforms : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        WorkingDirectory game(KORVEL_SOURCE_DIR);
        textured = std::make_shared<Shader>("texture.vert", "texture.frag");
        lightMapped = std::make_shared<Shader>("texture.vert", "texture_lm.frag");
        playerCamera.update({13, 5, 2}, {20, 0, 2});
        orbitCamera.update(40, 30, true, false, 9.0f);
    }
    void TearDown() override
    {
        followCamera = true;
        toon = true;
        textured.reset();
        lightMapped.reset();
        GlTest::TearDown();
    }

    void setBoth(float brightness)
    {
        setPerFrameUniforms(*textured, orbitCamera, playerCamera, sun, lamp, brightness);
        setPerFrameUniforms(*lightMapped, orbitCamera, playerCamera, sun, lamp, brightness);
    }

    static GLint location(const Shader& shader, const char* name)
    {
        return glGetUniformLocation(shader.getHandle(), name);
    }
    static glm::mat4 readMat4(const Shader& shader, const char* name)
    {
        glm::mat4 value(0.0f);
        glGetUniformfv(shader.getHandle(), location(shader, name), glm::value_ptr(value));
        return value;
    }
    static glm::vec3 readVec3(const Shader& shader, const char* name)
    {
        glm::vec3 value(0.0f);
        glGetUniformfv(shader.getHandle(), location(shader, name), glm::value_ptr(value));
        return value;
    }
    static float readFloat(const Shader& shader, const char* name)
    {
        float value = 0.0f;
        glGetUniformfv(shader.getHandle(), location(shader, name), &value);
        return value;
    }
    static int readInt(const Shader& shader, const char* name)
    {
        GLint value = -1;
        glGetUniformiv(shader.getHandle(), location(shader, name), &value);
        return value;
    }

    std::shared_ptr<Shader> textured;
    std::shared_ptr<Shader> lightMapped;
    PlayerCamera playerCamera{{-7, 5, 0}, {1, 0, 0}, {0, -1, 0}, 5.0f, 1.25f, 0.1f, 100.0f};
    OrbitCamera orbitCamera{60.0f, 1.25f, 0.1f, 100.0f};
    DirectionalLight sun = kitchenDirectionalLight();
    PointLight lamp = kitchenPointLight();
};

} // namespace

TEST_F(PerFrameUniforms, BothLitProgramsGetThePlayerCameraTheSwitchesAndTheLights)
{
    setBoth(0.5f);
    for (const Shader* shader : {textured.get(), lightMapped.get()}) {
        SCOPED_TRACE(shader == textured.get() ? "texture" : "texture_lm");
        EXPECT_EQ(readMat4(*shader, "viewProjMatrix"), playerCamera.viewProjection());
        EXPECT_EQ(readVec3(*shader, "camera_world"), glm::vec3(13, 5, 2));
        EXPECT_EQ(readFloat(*shader, "brightness"), 0.5f);
        EXPECT_EQ(readInt(*shader, "toon"), 1);
        EXPECT_EQ(readVec3(*shader, "dirL.color"), glm::vec3(1, 1, 1));
        EXPECT_EQ(readVec3(*shader, "dirL.direction"), sun.direction);
        EXPECT_EQ(readVec3(*shader, "pointL.color"), glm::vec3(0, 0, 0));
        EXPECT_EQ(readVec3(*shader, "pointL.position"), glm::vec3(110, 41, 24));
        EXPECT_EQ(readVec3(*shader, "pointL.attenuation"), glm::vec3(1, 0, 0));
    }
    // The last program set up stays bound for the draws that follow.
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), lightMapped->getHandle());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PerFrameUniforms, TheOrbitCameraAndTheToonSwitchReachTheNextFrame)
{
    setBoth(1.0f);
    followCamera = false;
    toon = false;
    setBoth(1.0f);
    for (const Shader* shader : {textured.get(), lightMapped.get()}) {
        SCOPED_TRACE(shader == textured.get() ? "texture" : "texture_lm");
        EXPECT_EQ(readMat4(*shader, "viewProjMatrix"), orbitCamera.viewProjection());
        EXPECT_EQ(readVec3(*shader, "camera_world"), orbitCamera.getPosition());
        EXPECT_EQ(readInt(*shader, "toon"), 0);
        EXPECT_EQ(readFloat(*shader, "brightness"), 1.0f);
        EXPECT_EQ(readVec3(*shader, "dirL.direction"), sun.direction);
    }
    EXPECT_NE(orbitCamera.viewProjection(), playerCamera.viewProjection());
}
