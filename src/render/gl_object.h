#pragma once

#include <GL/glew.h>

#include <utility>

// Owns one GL object name and deletes it when it goes. The name is zeroed on release, so a
// second release (or the destructor after an explicit release) does nothing. Move-only: a GL
// name has exactly one owner.
template <void (*Delete)(GLuint)> class GlObject {
  public:
    GlObject() = default;
    explicit GlObject(GLuint name) : name(name) {}
    ~GlObject() { release(); }

    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;
    GlObject(GlObject&& other) noexcept : name(std::exchange(other.name, 0)) {}
    GlObject& operator=(GlObject&& other) noexcept
    {
        if (this != &other) {
            release();
            name = std::exchange(other.name, 0);
        }
        return *this;
    }

    GLuint get() const { return name; }

    void release()
    {
        if (name != 0) {
            Delete(name);
            name = 0;
        }
    }

  private:
    GLuint name = 0;
};

// The GL entry points are function pointers loaded at run time, so they cannot be template
// arguments themselves.
namespace gl_delete {
inline void buffer(GLuint name)
{
    glDeleteBuffers(1, &name);
}
inline void vertexArray(GLuint name)
{
    glDeleteVertexArrays(1, &name);
}
inline void texture(GLuint name)
{
    glDeleteTextures(1, &name);
}
inline void framebuffer(GLuint name)
{
    glDeleteFramebuffers(1, &name);
}
inline void program(GLuint name)
{
    glDeleteProgram(name);
}
inline void shader(GLuint name)
{
    glDeleteShader(name);
}
} // namespace gl_delete

using GlBuffer = GlObject<gl_delete::buffer>;
using GlVertexArray = GlObject<gl_delete::vertexArray>;
using GlTexture = GlObject<gl_delete::texture>;
using GlFramebuffer = GlObject<gl_delete::framebuffer>;
using GlProgram = GlObject<gl_delete::program>;
using GlShader = GlObject<gl_delete::shader>;

// Generates one name of each kind, ready to be owned.
inline GlBuffer makeBuffer()
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    return GlBuffer(name);
}
inline GlVertexArray makeVertexArray()
{
    GLuint name = 0;
    glGenVertexArrays(1, &name);
    return GlVertexArray(name);
}
inline GlTexture makeTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    return GlTexture(name);
}
inline GlFramebuffer makeFramebuffer()
{
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    return GlFramebuffer(name);
}
