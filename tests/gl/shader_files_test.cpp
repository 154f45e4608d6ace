#include "render/shader.h"

#include "build_tree_gl_test.h"

#include <map>
#include <string>

namespace {

// name -> GL type of every active uniform or attribute, as glGetActiveUniform or
// glGetActiveAttrib lists them.
std::map<std::string, GLint> active(GLuint program, GLenum countName, PFNGLGETACTIVEATTRIBPROC get)
{
    std::map<std::string, GLint> found;
    GLint count = 0;
    glGetProgramiv(program, countName, &count);
    for (GLint index = 0; index < count; ++index) {
        GLchar name[256] = {};
        GLint size = 0;
        GLenum type = 0;
        get(program, static_cast<GLuint>(index), sizeof(name), nullptr, &size, &type, name);
        found[name] = static_cast<GLint>(type);
    }
    return found;
}

std::map<std::string, GLint> litUniforms(std::map<std::string, GLint> extra)
{
    extra.insert({{"viewProjMatrix", GL_FLOAT_MAT4},
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
                  {"diffuseTexture", GL_SAMPLER_2D}});
    return extra;
}

} // namespace

using ShaderFileTest = BuildTreeGlTest;

// The code sets these names and binds meshes to these attribute locations: a shader file that
// drifts from them draws black or nothing.
TEST_F(ShaderFileTest, EachProgramTakesTheInputsTheCodeFeedsIt)
{
    const std::map<GLint, GLint> meshAttributes = {
        {0, GL_FLOAT_VEC3}, {1, GL_FLOAT_VEC3}, {2, GL_FLOAT_VEC2}};
    const struct {
        const char* vertex;
        const char* fragment;
        std::map<std::string, GLint> uniforms;
        std::map<GLint, GLint> attributes;
    } programs[] = {
        {"texture.vert", "texture.frag", litUniforms({}), meshAttributes},
        {"texture.vert", "texture_lm.frag", litUniforms({{"lightMap", GL_SAMPLER_2D}}),
         meshAttributes},
        {"text.vert",
         "text.frag",
         {{"projection", GL_FLOAT_MAT4}, {"textColor", GL_FLOAT_VEC3}, {"glyph", GL_SAMPLER_2D}},
         {{0, GL_FLOAT_VEC4}}},
    };
    for (const auto& program : programs) {
        SCOPED_TRACE(program.fragment);
        Shader shader(program.vertex, program.fragment);
        EXPECT_EQ(active(shader.getHandle(), GL_ACTIVE_UNIFORMS, glGetActiveUniform),
                  program.uniforms);
        std::map<GLint, GLint> attributes;
        for (const auto& [name, type] :
             active(shader.getHandle(), GL_ACTIVE_ATTRIBUTES, glGetActiveAttrib)) {
            attributes[glGetAttribLocation(shader.getHandle(), name.c_str())] = type;
        }
        EXPECT_EQ(attributes, program.attributes);
    }
}
