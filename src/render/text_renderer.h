#pragma once

#include "render/gl_object.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Shader;

// One rasterised character of the HUD font.
struct Glyph {
    GLuint textureId = 0;  // coverage bitmap in the red channel
    glm::ivec2 size{0};    // bitmap width and rows, pixels
    glm::ivec2 bearing{0}; // from the pen to the bitmap's left edge, from the baseline to its top
    GLuint advance = 0;    // horizontal advance in 1/64 pixel
};

// The glyphs of codes 0 to 127 and the textures holding their bitmaps; the same bitmaps again
// side by side in one atlas texture, so that many strings can be drawn with one call.
struct GlyphTable {
    std::map<char, Glyph> glyphs;
    std::vector<GlTexture> textures;
    GlTexture atlas;
    std::array<glm::vec4, 128> atlasRects{}; // each code's u0, v0 (its top), u1, v1 in the atlas
};

inline constexpr const char* fontPath = "assets/fonts/arial.ttf";
inline constexpr int fontPixelHeight = 48;

// Rasterises the font once and sets up the text shader's projection (window pixels from the
// bottom-left corner) and the vertex array and buffer every string is drawn with. FreeType
// problems are printed and leave the table short or empty; the game goes on without text.
GlyphTable loadFont(Shader& textShader, GlVertexArray& vertexArray, GlBuffer& buffer, float width,
                    float height);

// Draws a string with its first pen position at (x, y) on the baseline, one quad per byte.
// Codes without a glyph get an empty entry: they draw nothing and do not move the pen.
// Blending and the depth test are the caller's.
void renderText(const GlVertexArray& vertexArray, const GlBuffer& buffer, float x, float y,
                Shader& textShader, const std::string& text, float scale, glm::vec3 colour,
                GlyphTable& table);

// Everything the HUD needs to write, kept together for the program's lifetime.
struct TextRenderer {
    std::shared_ptr<Shader> shader;
    GlVertexArray vertexArray;
    GlBuffer buffer;
    GlyphTable table;

    void draw(const std::string& text, float x, float y, float scale, glm::vec3 colour)
    {
        renderText(vertexArray, buffer, x, y, *shader, text, scale, colour, table);
    }
};

// loadFont with the window size, into a renderer that keeps the shader alive.
TextRenderer createTextRenderer(std::shared_ptr<Shader> textShader, float width, float height);
