#include "render/shader.h"

#include "render/shader_program_builder.h"

#include <glm/gtc/type_ptr.hpp>

#include <utility>

namespace {

// The Shader class reads and compiles one stage before it reads the next, so a broken vertex
// stage is reported even when the fragment file is missing.
GlShader stageFromFile(GLenum type, const std::string& name)
{
    const std::string source =
        readShaderSource(shaderFolderPath + name, ShaderWording::shaderClass);
    return compileShaderStage(type, source, name, ShaderWording::shaderClass);
}

// Stages given as sources are named by their source when they fail.
GlShader stageFromSource(GLenum type, const std::string& source)
{
    return compileShaderStage(type, source, source, ShaderWording::shaderClass);
}

} // namespace

Shader::Shader(const std::string& vertexFile, const std::string& fragmentFile)
{
    GlShader vertex = stageFromFile(GL_VERTEX_SHADER, vertexFile);
    GlShader fragment = stageFromFile(GL_FRAGMENT_SHADER, fragmentFile);
    handle = linkShaderProgram(std::move(vertex), std::move(fragment), ShaderWording::shaderClass);
}

Shader::Shader(Sources sources)
{
    GlShader vertex = stageFromSource(GL_VERTEX_SHADER, sources.vertex);
    GlShader fragment = stageFromSource(GL_FRAGMENT_SHADER, sources.fragment);
    handle = linkShaderProgram(std::move(vertex), std::move(fragment), ShaderWording::shaderClass);
}

Shader::~Shader()
{
    if (handle.get() != 0) {
        glUseProgram(0); // no program stays bound after its name is gone
    }
}

void Shader::use() const
{
    glUseProgram(handle.get());
}

GLint Shader::getUniformLocation(std::string_view name)
{
    if (const auto found = uniformLocations.find(name); found != uniformLocations.end()) {
        return found->second;
    }
    std::string key(name);
    const GLint location = glGetUniformLocation(handle.get(), key.c_str());
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
