#include "render/shader_program_builder.h"

#include "app/acknowledge.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

[[noreturn]] void endStartup()
{
    waitForAcknowledgement();
    std::exit(1);
}

std::string shaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return log.data();
}

std::string programLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return log.data();
}

} // namespace

std::string readShaderSource(const std::string& path)
{
    std::ifstream file(path);
    if (!file.is_open()) {
        std::cout << "Could not open file " << path << std::endl;
        endStartup();
    }
    std::string source;
    std::string line;
    while (std::getline(file, line)) {
        source += line;
        source += '\n';
    }
    return source;
}

GLuint compileShaderStage(GLenum type, const std::string& source, const std::string& name)
{
    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        std::cout << "Failed to create " << type << std::endl;
        endStartup();
    }
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_FALSE) {
        std::cout << "Failed to compile shader: " << name << '\n' << shaderLog(shader) << std::endl;
        glDeleteShader(shader);
        endStartup();
    }
    return shader;
}

GlProgram linkShaderProgram(GLuint first, GLuint second)
{
    GlProgram program(glCreateProgram());
    glAttachShader(program.get(), first);
    if (second != 0) {
        glAttachShader(program.get(), second);
    }
    glLinkProgram(program.get());
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (linked == GL_FALSE) {
        std::cout << "Failed to link shader program:\n" << programLog(program.get()) << std::endl;
        endStartup();
    }
    glDetachShader(program.get(), first);
    glDeleteShader(first);
    if (second != 0) {
        glDetachShader(program.get(), second);
        glDeleteShader(second);
    }
    return program;
}

GlProgram buildComputeProgram(const std::string& computePath)
{
    const std::string source = readShaderSource(computePath);
    return linkShaderProgram(compileShaderStage(GL_COMPUTE_SHADER, source, computePath));
}

GlProgram buildRenderProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    // Both files are read before anything is compiled, so a missing one is reported first.
    const std::string vertexSource = readShaderSource(vertexPath);
    const std::string fragmentSource = readShaderSource(fragmentPath);
    const GLuint vertex = compileShaderStage(GL_VERTEX_SHADER, vertexSource, vertexPath);
    const GLuint fragment = compileShaderStage(GL_FRAGMENT_SHADER, fragmentSource, fragmentPath);
    return linkShaderProgram(vertex, fragment);
}
