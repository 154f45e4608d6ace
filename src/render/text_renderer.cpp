#include "render/text_renderer.h"

#include "render/shader.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <glm/mat4x4.hpp>

#include <algorithm>
#include <iostream>
#include <utility>

namespace {

constexpr int glyphCodes = 128;
constexpr GLsizeiptr quadBytes = 6 * 4 * sizeof(float);

// Orthographic over the window without a depth range.
glm::mat4 windowProjection(float width, float height)
{
    glm::mat4 projection(1.0f);
    projection[0][0] = 2.0f / width;
    projection[1][1] = 2.0f / height;
    projection[2][2] = -1.0f;
    projection[3][0] = -1.0f;
    projection[3][1] = -1.0f;
    return projection;
}

// The atlas: glyphs of the HUD font at its size on shelves, a pixel of space around each so
// that filtering never reaches a neighbour.
constexpr int atlasWidth = 1024;
constexpr int atlasHeight = 512;

struct AtlasShelf {
    int x = 1;
    int y = 1;
    int height = 0;
};

void placeInAtlas(GlyphTable& table, char code, const FT_Bitmap& bitmap, AtlasShelf& shelf)
{
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    if (shelf.x + width + 1 > atlasWidth) {
        shelf = {1, shelf.y + shelf.height + 1, 0};
    }
    if (width == 0 || rows == 0 || shelf.y + rows + 1 > atlasHeight) {
        return; // nothing to draw, or no room left: the code draws nothing in a batch
    }
    glBindTexture(GL_TEXTURE_2D, table.atlas.get());
    glTexSubImage2D(GL_TEXTURE_2D, 0, shelf.x, shelf.y, width, rows, GL_RED, GL_UNSIGNED_BYTE,
                    bitmap.buffer);
    const auto index = static_cast<std::size_t>(static_cast<unsigned char>(code));
    table.atlasRects[index] = {static_cast<float>(shelf.x) / atlasWidth,
                               static_cast<float>(shelf.y) / atlasHeight,
                               static_cast<float>(shelf.x + width) / atlasWidth,
                               static_cast<float>(shelf.y + rows) / atlasHeight};
    shelf.x += width + 1;
    shelf.height = std::max(shelf.height, rows);
}

void makeAtlas(GlyphTable& table)
{
    table.atlas = makeTexture();
    glBindTexture(GL_TEXTURE_2D, table.atlas.get());
    const std::vector<unsigned char> empty(static_cast<std::size_t>(atlasWidth) * atlasHeight, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, atlasWidth, atlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE,
                 empty.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void addGlyph(GlyphTable& table, char code, const FT_GlyphSlot slot)
{
    GlTexture texture = makeTexture();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    const FT_Bitmap& bitmap = slot->bitmap;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(bitmap.width),
                 static_cast<GLsizei>(bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, bitmap.buffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    table.glyphs[code] = Glyph{texture.get(),
                               {static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows)},
                               {slot->bitmap_left, slot->bitmap_top},
                               static_cast<GLuint>(slot->advance.x)};
    table.textures.push_back(std::move(texture));
}

// Codes 0 to 127 of the font file. Without a library or a face there is nothing to call on,
// so the table stays empty.
void rasteriseGlyphs(GlyphTable& table)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        return;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath, 0, &face) != 0) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        FT_Done_FreeType(library);
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, fontPixelHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // glyph rows are tightly packed bytes
    makeAtlas(table);
    AtlasShelf shelf;

    for (int code = 0; code < glyphCodes; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        addGlyph(table, static_cast<char>(code), face->glyph);
        placeInAtlas(table, static_cast<char>(code), face->glyph->bitmap, shelf);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

} // namespace

GlyphTable loadFont(Shader& textShader, GlVertexArray& vertexArray, GlBuffer& buffer, float width,
                    float height)
{
    glUseProgram(textShader.getHandle());
    textShader.setUniform("projection", windowProjection(width, height));

    GlyphTable table;
    rasteriseGlyphs(table);

    vertexArray = makeVertexArray();
    buffer = makeBuffer();
    glBindVertexArray(vertexArray.get());
    glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
    glBufferData(GL_ARRAY_BUFFER, quadBytes, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    return table;
}

void renderText(const GlVertexArray& vertexArray, const GlBuffer& buffer, float x, float y,
                Shader& textShader, const std::string& text, float scale, glm::vec3 colour,
                GlyphTable& table)
{
    textShader.use();
    textShader.setUniform("textColor", colour);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vertexArray.get());

    for (const char code : text) {
        const Glyph& glyph = table.glyphs[code]; // codes without a glyph get an empty entry
        const float left = x + static_cast<float>(glyph.bearing.x) * scale;
        const float bottom = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
        const float w = static_cast<float>(glyph.size.x) * scale;
        const float h = static_cast<float>(glyph.size.y) * scale;
        // The bitmap's first row is its top, so v = 0 goes to the top of the quad.
        const float vertices[6][4] = {
            {left, bottom + h, 0.0f, 0.0f}, {left, bottom, 0.0f, 1.0f},
            {left + w, bottom, 1.0f, 1.0f}, {left, bottom + h, 0.0f, 0.0f},
            {left + w, bottom, 1.0f, 1.0f}, {left + w, bottom + h, 1.0f, 0.0f},
        };
        glBindTexture(GL_TEXTURE_2D, glyph.textureId);
        glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
        glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        // Whole pixels: the 1/64 fraction is dropped before scaling.
        x += static_cast<float>(glyph.advance >> 6) * scale;
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

TextRenderer createTextRenderer(std::shared_ptr<Shader> textShader, float width, float height)
{
    TextRenderer renderer{std::move(textShader), {}, {}, {}};
    renderer.table =
        loadFont(*renderer.shader, renderer.vertexArray, renderer.buffer, width, height);
    return renderer;
}
