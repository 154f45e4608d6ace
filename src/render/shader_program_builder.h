#pragma once

#include "render/gl_object.h"

#include <string>

// Builds every GL program of the game from the sources of its stages. A file that cannot be
// read, a stage that does not compile and a program that does not link throw ShaderFailure
// with the lines the player is to see; the builders print nothing themselves.
//
// The Shader class and the particle and water programs word their failures differently, and
// both wordings are the game's: the player sees the one belonging to the program that failed.
enum class ShaderWording {
    // "Couldn't open shader file: PATH"; the driver's log without its closing line break.
    shaderClass,
    // "Could not open file PATH"; the driver's log exactly as the driver gave it.
    programFiles,
};

// Where the game's shader files are, below the working directory.
inline constexpr const char* shaderFolderPath = "assets/shader/";

// The whole file as the stage's source; in the programFiles wording every line ends with a line
// break, the last one too.
std::string readShaderSource(const std::string& path, ShaderWording wording);

// Compiles one stage; on failure the lines name the stage by the given name.
GlShader compileShaderStage(GLenum type, const std::string& source, const std::string& name,
                            ShaderWording wording = ShaderWording::programFiles);

// Links the stages (the second may be empty) into a program; the stages are deleted either way.
GlProgram linkShaderProgram(GlShader first, GlShader second = GlShader(),
                            ShaderWording wording = ShaderWording::programFiles);

// The particle and water programs, from paths below the working directory.
GlProgram buildComputeProgram(const std::string& computePath);
GlProgram buildRenderProgram(const std::string& vertexPath, const std::string& fragmentPath);
