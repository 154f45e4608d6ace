#include "render/shader_program_builder.h"

#include "render/shader_failure.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// GL's log up to its terminating zero. Trimmed, the line breaks the driver puts at the end go,
// so no empty line follows; those inside a log of several errors are the driver's and stay.
std::string logText(const std::vector<GLchar>& log, ShaderWording wording)
{
    std::string text = log.data();
    if (wording == ShaderWording::shaderClass) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
    }
    return text;
}

std::string shaderLog(GLuint shader, ShaderWording wording)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return logText(log, wording);
}

std::string programLog(GLuint program, ShaderWording wording)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return logText(log, wording);
}

} // namespace

std::string readShaderSource(const std::string& path, ShaderWording wording)
{
    std::ifstream file(path);
    if (!file.is_open()) {
        throw ShaderFailure((wording == ShaderWording::shaderClass ? "Couldn't open shader file: "
                                                                   : "Could not open file ") +
                            path);
    }
    if (wording == ShaderWording::shaderClass) {
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // Line by line, each with its line end: a last line without one still gets it.
    std::string source;
    std::string line;
    while (std::getline(file, line)) {
        source += line;
        source += '\n';
    }
    return source;
}

GlShader compileShaderStage(GLenum type, const std::string& source, const std::string& name,
                            ShaderWording wording)
{
    GlShader shader(glCreateShader(type));
    if (shader.get() == 0) {
        throw ShaderFailure("Failed to create " + std::to_string(static_cast<unsigned int>(type)));
    }
    const GLchar* text = source.c_str();
    glShaderSource(shader.get(), 1, &text, nullptr);
    glCompileShader(shader.get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_FALSE || glIsShader(shader.get()) == GL_FALSE) {
        throw ShaderFailure("Failed to compile shader: " + name + "\n" +
                            shaderLog(shader.get(), wording));
    }
    return shader;
}

GlProgram linkShaderProgram(GlShader first, GlShader second, ShaderWording wording)
{
    GlProgram program(glCreateProgram());
    for (const GlShader* stage : {&first, &second}) {
        if (stage->get() != 0) {
            glAttachShader(program.get(), stage->get());
        }
    }
    glLinkProgram(program.get());
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (linked == GL_FALSE) {
        throw ShaderFailure("Failed to link shader program:\n" +
                            programLog(program.get(), wording));
    }
    for (const GlShader* stage : {&first, &second}) {
        if (stage->get() != 0) {
            glDetachShader(program.get(), stage->get());
        }
    }
    return program;
}

GlProgram buildComputeProgram(const std::string& computePath)
{
    const std::string source = readShaderSource(computePath, ShaderWording::programFiles);
    return linkShaderProgram(compileShaderStage(GL_COMPUTE_SHADER, source, computePath));
}

GlProgram buildRenderProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    // Both files are read before anything is compiled, so a missing one is reported first.
    const std::string vertexSource = readShaderSource(vertexPath, ShaderWording::programFiles);
    const std::string fragmentSource = readShaderSource(fragmentPath, ShaderWording::programFiles);
    GlShader vertex = compileShaderStage(GL_VERTEX_SHADER, vertexSource, vertexPath);
    GlShader fragment = compileShaderStage(GL_FRAGMENT_SHADER, fragmentSource, fragmentPath);
    return linkShaderProgram(std::move(vertex), std::move(fragment));
}
