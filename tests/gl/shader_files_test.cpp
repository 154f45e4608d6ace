#include "render/shader.h"

#include "support/gl_context.h"
#include "support/working_directory.h"

#include <map>
#include <string>

namespace {

// name -> GL type of every active resource of one program interface (uniforms or inputs).
std::map<std::string, GLint> activeResources(GLuint program, GLenum interface)
{
    std::map<std::string, GLint> found;
    GLint count = 0;
    glGetProgramInterfaceiv(program, interface, GL_ACTIVE_RESOURCES, &count);
    for (GLint index = 0; index < count; ++index) {
        GLchar name[256] = {};
        glGetProgramResourceName(program, interface, static_cast<GLuint>(index), sizeof(name),
                                 nullptr, name);
        const GLenum property = GL_TYPE;
        GLint type = 0;
        glGetProgramResourceiv(program, interface, static_cast<GLuint>(index), 1, &property, 1,
                               nullptr, &type);
        found[name] = type;
    }
    return found;
}

// attribute location -> GL type.
std::map<GLint, GLint> attributeLocations(GLuint program)
{
    std::map<GLint, GLint> byLocation;
    for (const auto& [name, type] : activeResources(program, GL_PROGRAM_INPUT)) {
        byLocation[glGetProgramResourceLocation(program, GL_PROGRAM_INPUT, name.c_str())] = type;
    }
    return byLocation;
}

GLint samplerUnit(Shader& shader, const std::string& name)
{
    GLint unit = -1;
    glGetUniformiv(shader.getHandle(), shader.getUniformLocation(name), &unit);
    return unit;
}

const std::map<std::string, GLint> litUniforms = {
    {"viewProjMatrix", GL_FLOAT_MAT4},
    {"modelMatrix", GL_FLOAT_MAT4},
    {"normalMatrix", GL_FLOAT_MAT3},
    {"camera_world", GL_FLOAT_VEC3},
    {"materialCoefficients", GL_FLOAT_VEC3},
    {"dirL.color", GL_FLOAT_VEC3},
    {"dirL.direction", GL_FLOAT_VEC3},
    {"pointL.color", GL_FLOAT_VEC3},
    {"pointL.position", GL_FLOAT_VEC3},
    {"pointL.attenuation", GL_FLOAT_VEC3},
    {"specularAlpha", GL_FLOAT},
    {"brightness", GL_FLOAT},
    {"toon", GL_INT},
    {"diffuseTexture", GL_SAMPLER_2D},
};

const std::map<GLint, GLint> litAttributes = {
    {0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}, {2, GL_FLOAT_VEC2}};

// The programs read their files relative to the working directory: run from the source tree.
class ShaderFileTest : public GlTest {
    WorkingDirectory sourceTree{KORVEL_SOURCE_DIR};
};

} // namespace

TEST_F(ShaderFileTest, TheTexturedProgramTakesTheLitInputs)
{
    Shader shader("texture.vert", "texture.frag");
    EXPECT_EQ(activeResources(shader.getHandle(), GL_UNIFORM), litUniforms);
    EXPECT_EQ(attributeLocations(shader.getHandle()), litAttributes);
    EXPECT_EQ(samplerUnit(shader, "diffuseTexture"), 0);
}

TEST_F(ShaderFileTest, TheLightMappedProgramAddsTheLightMapOnUnitTwo)
{
    Shader shader("texture.vert", "texture_lm.frag");
    std::map<std::string, GLint> expected = litUniforms;
    expected["lightMap"] = GL_SAMPLER_2D;
    EXPECT_EQ(activeResources(shader.getHandle(), GL_UNIFORM), expected);
    EXPECT_EQ(attributeLocations(shader.getHandle()), litAttributes);
    EXPECT_EQ(samplerUnit(shader, "diffuseTexture"), 0);
    EXPECT_EQ(samplerUnit(shader, "lightMap"), 2);
}

TEST_F(ShaderFileTest, TheTextProgramReadsItsGlyphFromUnitZero)
{
    Shader shader("text.vert", "text.frag");
    std::map<std::string, GLint> uniforms = activeResources(shader.getHandle(), GL_UNIFORM);
    EXPECT_EQ(uniforms["projection"], GL_FLOAT_MAT4);
    EXPECT_EQ(uniforms["textColor"], GL_FLOAT_VEC3);
    // One sampler besides them, never set by the renderer: it must read unit 0 by itself.
    uniforms.erase("projection");
    uniforms.erase("textColor");
    ASSERT_EQ(uniforms.size(), 1u);
    EXPECT_EQ(uniforms.begin()->second, GL_SAMPLER_2D);
    EXPECT_EQ(samplerUnit(shader, uniforms.begin()->first), 0);
    EXPECT_EQ(attributeLocations(shader.getHandle()), (std::map<GLint, GLint>{{0, GL_FLOAT_VEC4}}));
}
