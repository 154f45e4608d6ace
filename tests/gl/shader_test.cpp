#include "render/shader.h"

#include "support/gl_context.h"

#include <glm/gtc/type_ptr.hpp>

#include <map>
#include <utility>

namespace {

// Counts the location look-ups the shader makes, by standing in for GLEW's entry point for
// the length of one test.
struct LookUpCounter {
    static inline std::map<std::pair<GLuint, std::string>, int> queries;
    static inline PFNGLGETUNIFORMLOCATIONPROC real = nullptr;

    LookUpCounter()
    {
        real = std::exchange(__glewGetUniformLocation, [](GLuint program, const GLchar* name) {
            ++queries[{program, name}];
            return real(program, name);
        });
    }
    ~LookUpCounter() { __glewGetUniformLocation = real; }
};

// "unused" is declared but never read, so the compiler drops it and GL reports it missing.
Shader::Sources smallProgram()
{
    return {"#version 430 core\nlayout(location = 0) in vec3 position;\nuniform mat4 modelMatrix;\n"
            "uniform float unused;\n"
            "void main() { gl_Position = modelMatrix * vec4(position, 1.0); }\n",
            "#version 430 core\nuniform float shade;\nout vec4 color;\n"
            "void main() { color = vec4(shade); }\n"};
}

} // namespace

using ShaderTest = GlTest;

// The frame loop sets uniforms by name every frame: each name costs one look-up per program,
// names the program lacks included, and the values reach that program.
TEST_F(ShaderTest, EachNameIsAskedOncePerProgramAndItsValueArrives)
{
    Shader first(smallProgram());
    Shader second(smallProgram());
    const glm::mat4 moved(2.0f);
    LookUpCounter counter;
    first.use();
    for (int frame = 0; frame < 3; ++frame) {
        first.setUniform("modelMatrix", moved);
        first.setUniform("shade", 0.25f);
        first.setUniform("unused", 1.0f);
        first.setUniform("misspeltMatrix", moved);
    }
    second.use();
    second.setUniform("modelMatrix", moved);
    second.setUniform("modelMatrix", moved);

    using Key = std::pair<GLuint, std::string>;
    const std::map<Key, int> expected = {{{first.getHandle(), "modelMatrix"}, 1},
                                         {{first.getHandle(), "shade"}, 1},
                                         {{first.getHandle(), "unused"}, 1},
                                         {{first.getHandle(), "misspeltMatrix"}, 1},
                                         {{second.getHandle(), "modelMatrix"}, 1}};
    EXPECT_EQ(LookUpCounter::queries, expected);

    GLfloat matrix[16] = {};
    GLfloat shade = 0.0f;
    glGetUniformfv(first.getHandle(), glGetUniformLocation(first.getHandle(), "modelMatrix"),
                   matrix);
    glGetUniformfv(first.getHandle(), glGetUniformLocation(first.getHandle(), "shade"), &shade);
    EXPECT_EQ(glm::make_mat4(matrix), moved);
    EXPECT_EQ(shade, 0.25f);
}
