#pragma once

#include "render/gl_object.h"

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <string>
#include <string_view>
#include <unordered_map>

// One linked GL program of a vertex and a fragment stage. Built at construction; any failure
// to read, compile or link throws ShaderFailure (render/shader_failure.h) with the lines to
// print, so a Shader that exists always holds a linked program. Shared through std::shared_ptr
// by the materials and the game.
class Shader {
  public:
    // Two GLSL sources held by the program itself rather than read from files.
    struct Sources {
        std::string vertex;
        std::string fragment;
    };

    // File names below shaderFolderPath; the first is the vertex stage, the second the fragment
    // stage, whatever their extensions.
    Shader(const std::string& vertexFile, const std::string& fragmentFile);
    explicit Shader(Sources sources);
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    void use() const;
    GLuint getHandle() const { return handle.get(); }

    // Asks GL once per name; names the program lacks are remembered as -1 too. Later look-ups
    // of a known name neither allocate nor call GL: the frame loop sets uniforms by name.
    GLint getUniformLocation(std::string_view name);

    // The setters do not bind the program (call use() first) and ignore names the program
    // lacks. Samplers take the int overload with the texture unit.
    void setUniform(std::string_view name, int value);
    void setUniform(std::string_view name, float value);
    void setUniform(std::string_view name, const glm::vec3& value);
    void setUniform(std::string_view name, const glm::mat3& value);
    void setUniform(std::string_view name, const glm::mat4& value);

  private:
    GlProgram handle;
    // Found by string_view without building a std::string.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const
        {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::unordered_map<std::string, GLint, NameHash, std::equal_to<>> uniformLocations;
};
