#include "render/builtin_shaders.h"
#include "render/framework.h"
#include "render/shader.h"

#include "support/gl_context.h"

#include <set>
#include <string>
#include <vector>

namespace {

GLint currentProgram()
{
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

std::set<std::string> activeUniformNames(GLuint program)
{
    std::set<std::string> names;
    GLint count = 0;
    glGetProgramInterfaceiv(program, GL_UNIFORM, GL_ACTIVE_RESOURCES, &count);
    for (GLint index = 0; index < count; ++index) {
        GLchar name[256] = {};
        glGetProgramResourceName(program, GL_UNIFORM, static_cast<GLuint>(index), sizeof(name),
                                 nullptr, name);
        names.insert(name);
    }
    return names;
}

} // namespace

using FrameworkTest = GlTest;

TEST_F(FrameworkTest, WithoutAContextItSaysSoOnceAndBuildsNothing)
{
    glfwMakeContextCurrent(nullptr);
    testing::internal::CaptureStdout();
    const bool started = initFramework();
    const std::string output = testing::internal::GetCapturedStdout();
    glfwMakeContextCurrent(context->window());

    EXPECT_FALSE(started);
    EXPECT_EQ(output, "No context available. Make sure that this function is called after a "
                      "context is created and GLEW is initialized.\n");
    EXPECT_EQ(getDefaultShader(), nullptr);
    EXPECT_EQ(currentProgram(), 0);
}

TEST_F(FrameworkTest, TheDefaultShaderIsBoundAndDrawsRed)
{
    ASSERT_EQ(currentProgram(), 0);
    ASSERT_TRUE(initFramework());
    ASSERT_NE(getDefaultShader(), nullptr);
    EXPECT_EQ(currentProgram(), static_cast<GLint>(getDefaultShader()->getHandle()));

    // A triangle covering the window; z is negated, so +0.5 lands in front at -0.5.
    const GLfloat corners[] = {-1, -1, 0.5f, 3, -1, 0.5f, -1, 3, 0.5f};
    GLuint vao = 0;
    GLuint buffer = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    unsigned char pixel[4] = {};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 0);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);

    destroyFramework();
    EXPECT_EQ(getDefaultShader(), nullptr);
    EXPECT_EQ(currentProgram(), 0);
}

TEST_F(FrameworkTest, AProgramAlreadyBoundIsLeftInPlace)
{
    const ShaderSourcePair& color = builtinShaders.at("color");
    Shader mine(Shader::Sources{color.first, color.second});
    mine.use();
    EXPECT_TRUE(initFramework());
    EXPECT_EQ(getDefaultShader(), nullptr);
    EXPECT_EQ(currentProgram(), static_cast<GLint>(mine.getHandle()));
    destroyFramework();
}

// Each library entry links, and takes the inputs its lighting model is documented with.
TEST_F(FrameworkTest, EveryBuiltinShaderLinksWithItsInputs)
{
    const std::vector<std::string> lit = {"modelMatrix", "viewProjMatrix", "normalMatrix",
                                          "camera_world"};
    const std::vector<std::string> phong = {"materialCoefficients", "specularAlpha"};
    const std::vector<std::string> oneEach = {"dirL.color", "dirL.direction", "pointL.color",
                                              "pointL.position", "pointL.attenuation"};
    const std::vector<std::string> arrays = {"dLights[0].color",       "dLights[0].direction",
                                             "pLights[0].color",       "pLights[0].position",
                                             "pLights[0].attenuation", "spLights[0].color",
                                             "spLights[0].position",   "spLights[0].attenuation",
                                             "spLights[0].direction",  "spLights[0].outerCone",
                                             "spLights[0].innerCone",  "numDirectionalLights",
                                             "numPointLights",         "numSpotLights"};
    auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    };
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"color", {"modelMatrix", "viewProjMatrix", "diffuseColor"}},
        {"cookTorrance", join({lit, arrays, {"diffuseColor", "alpha", "materialCoefficients"}})},
        {"environmentMap", join({lit, phong, arrays, {"diffuseTexture", "cubeMap"}})},
        {"phongGouraud", join({lit, phong, oneEach, {"diffuseColor"}})},
        {"phongGouraudBonus", join({lit, phong, arrays, {"diffuseColor"}})},
        {"phongPhong", join({lit, phong, oneEach, {"diffuseColor"}})},
        {"phongPhongBonus", join({lit, phong, arrays, {"diffuseColor"}})},
        {"specularMap", join({lit, phong, arrays, {"diffuseTexture", "specularTexture"}})},
        {"texture", join({lit, phong, oneEach, {"diffuseTexture"}})},
        {"textureBonus", join({lit, phong, arrays, {"diffuseTexture"}})},
    };
    EXPECT_EQ(builtinShaders.size(), expected.size());
    for (const auto& [name, uniforms] : expected) {
        ASSERT_EQ(builtinShaders.count(name), 1u) << name;
        const ShaderSourcePair& sources = builtinShaders.at(name);
        Shader shader(Shader::Sources{sources.first, sources.second}); // exits if it fails
        const std::set<std::string> active = activeUniformNames(shader.getHandle());
        for (const std::string& uniform : uniforms) {
            EXPECT_EQ(active.count(uniform), 1u) << name << " lacks " << uniform;
        }
    }
}
