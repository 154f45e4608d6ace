#pragma once

#include "render/gl_object.h"

#include <glm/vec3.hpp>

#include <string_view>
#include <vector>

class Shader;
struct GlyphTable;

// Many strings drawn together from the font's atlas: their quads are laid out once, when what
// they say changes, into one buffer, and each frame draws them with one call per colour, in the
// order the colours were first used. A string at (x, y) covers exactly what renderText draws
// there with the same scale.
class TextBatch {
  public:
    void clear();
    void add(std::string_view text, float x, float y, float scale, glm::vec3 colour,
             const GlyphTable& table);
    // Hands what was added to GL: after the last add, before the draws that show it.
    void upload();

    // With the text shader (its projection set by loadFont); blending is the caller's.
    // Afterwards no texture, vertex array or program is bound.
    void draw(Shader& textShader, const GlyphTable& table) const;

    bool empty() const { return quads == 0; }

  private:
    struct ColourRun {
        glm::vec3 colour{1.0f};
        std::vector<float> vertices; // 6 vertices of x, y, u, v a glyph
        GLint first = 0;             // where it starts in the buffer, in vertices
    };
    std::vector<ColourRun> runs;
    std::size_t quads = 0;
    GlVertexArray vertexArray;
    GlBuffer buffer;
    GLsizeiptr bufferBytes = 0;
};
