#pragma once

#include "render/gl_object.h"

#include <string>

// Builds the GL programs that do not go through the Shader class: the particle compute and
// render programs and the procedural surface. A shader that cannot be read, compiled or linked
// ends start-up like any other shader failure: its lines on standard output, the player's
// acknowledgement, exit status 1.

// The whole file, read line by line with a line end after every line. A file that cannot be
// opened prints "Could not open file " and the path, and ends the program.
std::string readShaderSource(const std::string& path);

// Compiles one stage; on failure prints the name and the driver's log and ends the program.
GLuint compileShaderStage(GLenum type, const std::string& source, const std::string& name);

// Links the stages into a program and deletes the stages; on failure prints the driver's log
// and ends the program.
GlProgram linkShaderProgram(GLuint first, GLuint second = 0);

GlProgram buildComputeProgram(const std::string& computePath);
GlProgram buildRenderProgram(const std::string& vertexPath, const std::string& fragmentPath);
