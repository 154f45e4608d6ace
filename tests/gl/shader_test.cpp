#include "render/shader.h"

#include "support/gl_context.h"

#include <glm/gtc/type_ptr.hpp>

#include <map>
#include <unistd.h>
#include <utility>

namespace {

// Counts the GL calls the shader makes, by standing in for GLEW's entry points for the length
// of one test.
struct CallCounter {
    static inline std::map<std::pair<GLuint, std::string>, int> locationQueries;
    static inline int uniformWrites = 0;
    static inline PFNGLGETUNIFORMLOCATIONPROC realGetUniformLocation = nullptr;
    static inline PFNGLUNIFORM1FPROC realUniform1f = nullptr;
    static inline PFNGLUNIFORMMATRIX4FVPROC realUniformMatrix4fv = nullptr;

    CallCounter()
    {
        locationQueries.clear();
        uniformWrites = 0;
        realGetUniformLocation = __glewGetUniformLocation;
        realUniform1f = __glewUniform1f;
        realUniformMatrix4fv = __glewUniformMatrix4fv;
        __glewGetUniformLocation = [](GLuint program, const GLchar* name) {
            ++locationQueries[{program, name}];
            return realGetUniformLocation(program, name);
        };
        __glewUniform1f = [](GLint location, GLfloat value) {
            ++uniformWrites;
            realUniform1f(location, value);
        };
        __glewUniformMatrix4fv = [](GLint location, GLsizei count, GLboolean transpose,
                                    const GLfloat* value) {
            ++uniformWrites;
            realUniformMatrix4fv(location, count, transpose, value);
        };
    }
    ~CallCounter()
    {
        __glewGetUniformLocation = realGetUniformLocation;
        __glewUniform1f = realUniform1f;
        __glewUniformMatrix4fv = realUniformMatrix4fv;
    }
};

const char* const vertexSource = R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat4 modelMatrix;
uniform float unused; // declared but never read: the compiler drops it
void main() { gl_Position = modelMatrix * vec4(position, 1.0); }
)";

const char* const fragmentSource = R"(#version 430 core
uniform float shade;
out vec4 color;
void main() { color = vec4(shade); }
)";

Shader::Sources smallProgram()
{
    return {vertexSource, fragmentSource};
}

} // namespace

using ShaderTest = GlTest;

TEST_F(ShaderTest, EachUniformNameIsAskedOfGlOncePerProgram)
{
    Shader first(smallProgram());
    Shader second(smallProgram());
    ASSERT_NE(first.getHandle(), second.getHandle());

    CallCounter counter;
    const glm::mat4 moved = glm::mat4(2.0f);
    first.use();
    for (int frame = 0; frame < 3; ++frame) {
        first.setUniform("modelMatrix", moved);
        first.setUniform("shade", 0.25f);
    }
    second.use();
    second.setUniform("modelMatrix", moved);
    second.setUniform("modelMatrix", moved);

    const std::pair<GLuint, std::string> firstMatrix{first.getHandle(), "modelMatrix"};
    const std::pair<GLuint, std::string> secondMatrix{second.getHandle(), "modelMatrix"};
    const std::pair<GLuint, std::string> firstShade{first.getHandle(), "shade"};
    EXPECT_EQ(CallCounter::locationQueries[firstMatrix], 1);
    EXPECT_EQ(CallCounter::locationQueries[secondMatrix], 1);
    EXPECT_EQ(CallCounter::locationQueries[firstShade], 1);
    EXPECT_EQ(CallCounter::uniformWrites, 8);

    // The value arrived, untransposed.
    GLfloat stored[16] = {};
    glGetUniformfv(first.getHandle(), first.getUniformLocation("modelMatrix"), stored);
    EXPECT_EQ(glm::make_mat4(stored), moved);
}

TEST_F(ShaderTest, AMissingUniformIsAskedOnceAndNeverSet)
{
    Shader shader(smallProgram());
    shader.use();
    CallCounter counter;
    for (int frame = 0; frame < 4; ++frame) {
        shader.setUniform("unused", 1.0f);
        shader.setUniform("misspeltMatrix", glm::mat4(1.0f));
    }
    EXPECT_EQ(shader.getUniformLocation("unused"), -1);
    EXPECT_EQ(CallCounter::locationQueries[std::make_pair(shader.getHandle(), "unused")], 1);
    EXPECT_EQ(CallCounter::locationQueries[std::make_pair(shader.getHandle(), "misspeltMatrix")],
              1);
    EXPECT_EQ(CallCounter::uniformWrites, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderTest, TheOtherSettersReachTheirUniforms)
{
    Shader shader(Shader::Sources{R"(#version 430 core
layout(location = 0) in vec3 position;
uniform mat3 turn;
uniform vec3 offset;
uniform int pick;
void main() { gl_Position = vec4(turn * position + offset * float(pick), 1.0); }
)",
                                  fragmentSource});
    shader.use();
    const glm::mat3 turn(1, 2, 3, 4, 5, 6, 7, 8, 9);
    shader.setUniform("turn", turn);
    shader.setUniform("offset", glm::vec3(0.5f, -1.0f, 2.0f));
    shader.setUniform("pick", 7);

    GLfloat matrix[9] = {};
    glGetUniformfv(shader.getHandle(), shader.getUniformLocation("turn"), matrix);
    EXPECT_EQ(glm::make_mat3(matrix), turn);
    GLfloat vector[3] = {};
    glGetUniformfv(shader.getHandle(), shader.getUniformLocation("offset"), vector);
    EXPECT_EQ(glm::make_vec3(vector), glm::vec3(0.5f, -1.0f, 2.0f));
    GLint pick = 0;
    glGetUniformiv(shader.getHandle(), shader.getUniformLocation("pick"), &pick);
    EXPECT_EQ(pick, 7);
}

TEST_F(ShaderTest, DestroyingAShaderLeavesNoProgramBound)
{
    Shader kept(smallProgram());
    GLuint gone = 0;
    {
        Shader shortLived(smallProgram());
        gone = shortLived.getHandle();
        kept.use(); // another program is current: destruction unbinds it all the same
    }
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(glIsProgram(gone), GL_FALSE);
    EXPECT_EQ(glIsProgram(kept.getHandle()), GL_TRUE);
}

using ShaderFailureDeathTest = GlTest;

// The failure lines go to standard output; the death test reads standard error, so the child
// sends the one to the other.
TEST_F(ShaderFailureDeathTest, ACompileErrorPrintsTheSourceAndExitsWithOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            Shader broken(
                Shader::Sources{vertexSource, "#version 430 core\nvoid main() { nonsense; }\n"});
        },
        testing::ExitedWithCode(1),
        "Failed to compile shader: #version 430 core\nvoid main\\(\\) \\{ nonsense; \\}\n\n.+\n");
}

TEST_F(ShaderFailureDeathTest, ALinkErrorPrintsTheLogAndExitsWithOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The fragment stage reads a value no vertex stage writes.
    const char* const reader = "#version 430 core\nin vec3 missing;\nout vec4 color;\n"
                               "void main() { color = vec4(missing, 1.0); }\n";
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            Shader broken(Shader::Sources{vertexSource, reader});
        },
        testing::ExitedWithCode(1), "Failed to link shader program:\n.+\n");
}
