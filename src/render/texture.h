#pragma once

#include "render/gl_object.h"

#include <string>

// A 2D texture from a DXT1, DXT3 or DXT5 DDS file below "assets/textures/". Only the top level
// is read; GL builds the mip chain. A file that cannot be used leaves the texture unloaded, with
// nothing printed: callers test isLoaded() before binding. Shared through std::shared_ptr.
class Texture {
  public:
    explicit Texture(std::string fileName);
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Binds to GL_TEXTURE_2D on texture unit `unit` (0 colour, 2 light map).
    void bind(unsigned int unit) const;
    bool isLoaded() const { return handle.get() != 0; }
    GLuint getHandle() const { return handle.get(); }

  private:
    GlTexture handle; // none while unloaded
};
