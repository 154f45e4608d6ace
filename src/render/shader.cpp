#include "render/shader.h"

#include "app/acknowledge.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void failStartup()
{
    std::cout.flush();
    waitForAcknowledgement();
    std::exit(1);
}

// The info log as printed: GL's logs end with a line break of their own, which is dropped so
// no empty line follows. Line breaks inside a log of several errors are the driver's and stay.
std::string logLine(const std::vector<GLchar>& log)
{
    std::string text(log.begin(), log.end());
    text = text.c_str(); // up to GL's terminating zero
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

} // namespace

Shader::Shader(std::string vertexFile, std::string fragmentFile)
    : vertexFile(std::move(vertexFile)), fragmentFile(std::move(fragmentFile)), sourcesGiven(false)
{
    handle = loadProgram();
}

Shader::Shader(Sources sources)
    : vertexFile(std::move(sources.vertex)), fragmentFile(std::move(sources.fragment)),
      sourcesGiven(true)
{
    handle = loadProgram();
}

Shader::~Shader()
{
    release();
}

void Shader::release()
{
    if (handle == 0) {
        return;
    }
    glUseProgram(0);
    glDeleteProgram(handle);
    handle = 0;
}

void Shader::use() const
{
    glUseProgram(handle);
}

GLuint Shader::loadProgram() const
{
    const GLuint vertexShader = compileStage(GL_VERTEX_SHADER, vertexFile);
    const GLuint fragmentShader = compileStage(GL_FRAGMENT_SHADER, fragmentFile);

    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);

    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_FALSE) {
        glDetachShader(program, vertexShader);
        glDeleteShader(vertexShader);
        glDetachShader(program, fragmentShader);
        glDeleteShader(fragmentShader);
        return program;
    }

    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cout << "Failed to link shader program:" << std::endl;
    std::cout << logLine(log) << std::endl;
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    failStartup();
}

GLuint Shader::compileStage(GLenum type, const std::string& name) const
{
    std::string source;
    if (sourcesGiven) {
        source = name;
    } else {
        const std::string path = "assets/shader/" + name;
        std::ifstream file(path);
        if (!file.is_open()) {
            std::cout << "Couldn't open shader file: " << path << std::endl;
            failStartup();
        }
        source.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        std::cout << "Failed to create " << static_cast<unsigned int>(type) << std::endl;
        failStartup();
    }
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_FALSE && glIsShader(shader) != GL_FALSE) {
        return shader;
    }

    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cout << "Failed to compile shader: " << name << std::endl;
    std::cout << logLine(log) << std::endl;
    glDeleteShader(shader);
    failStartup();
}

GLint Shader::getUniformLocation(std::string_view name)
{
    if (const auto found = uniformLocations.find(name); found != uniformLocations.end()) {
        return found->second;
    }
    std::string key(name);
    const GLint location = glGetUniformLocation(handle, key.c_str());
    uniformLocations.emplace(std::move(key), location);
    return location;
}

void Shader::setUniform(std::string_view name, int value)
{
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform1i(location, value);
    }
}

void Shader::setUniform(std::string_view name, float value)
{
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform1f(location, value);
    }
}

void Shader::setUniform(std::string_view name, const glm::vec3& value)
{
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniform3f(location, value.x, value.y, value.z);
    }
}

void Shader::setUniform(std::string_view name, const glm::mat3& value)
{
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniformMatrix3fv(location, 1, GL_FALSE, glm::value_ptr(value));
    }
}

void Shader::setUniform(std::string_view name, const glm::mat4& value)
{
    if (const GLint location = getUniformLocation(name); location != -1) {
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
    }
}
