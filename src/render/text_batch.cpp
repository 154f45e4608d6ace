#include "render/text_batch.h"

#include "render/shader.h"
#include "render/text_renderer.h"

#include <algorithm>

void TextBatch::clear()
{
    for (ColourRun& run : runs) {
        run.vertices.clear(); // the runs keep their room for the next layout
    }
    quads = 0;
}

void TextBatch::add(std::string_view text, float x, float y, float scale, glm::vec3 colour,
                    const GlyphTable& table)
{
    auto run = std::find_if(runs.begin(), runs.end(),
                            [&](const ColourRun& each) { return each.colour == colour; });
    if (run == runs.end()) {
        runs.push_back({colour, {}, 0});
        run = runs.end() - 1;
    }
    for (const char code : text) {
        const auto found = table.glyphs.find(code);
        if (found == table.glyphs.end()) {
            continue; // as renderText: a code without a glyph draws nothing and does not move
        }
        const Glyph& glyph = found->second;
        const glm::vec4 uv = table.atlasRects[static_cast<unsigned char>(code) % 128];
        const float left = x + static_cast<float>(glyph.bearing.x) * scale;
        const float bottom = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
        const float right = left + static_cast<float>(glyph.size.x) * scale;
        const float top = bottom + static_cast<float>(glyph.size.y) * scale;
        if (glyph.size.x > 0 && glyph.size.y > 0) {
            run->vertices.insert(run->vertices.end(),
                                 {left,  top,    uv.x, uv.y, left,  bottom, uv.x, uv.w,
                                  right, bottom, uv.z, uv.w, left,  top,    uv.x, uv.y,
                                  right, bottom, uv.z, uv.w, right, top,    uv.z, uv.y});
            ++quads;
        }
        x += static_cast<float>(glyph.advance >> 6) * scale;
    }
}

void TextBatch::upload()
{
    if (vertexArray.get() == 0) {
        vertexArray = makeVertexArray();
        buffer = makeBuffer();
        glBindVertexArray(vertexArray.get());
        glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
        glBindVertexArray(0);
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
    const auto bytes = static_cast<GLsizeiptr>(quads * 6 * 4 * sizeof(float));
    if (bytes > bufferBytes) {
        bufferBytes = std::max<GLsizeiptr>(bytes, 2 * bufferBytes);
        glBufferData(GL_ARRAY_BUFFER, bufferBytes, nullptr, GL_DYNAMIC_DRAW);
    }
    GLint first = 0;
    for (ColourRun& run : runs) {
        run.first = first;
        const auto runBytes = static_cast<GLsizeiptr>(run.vertices.size() * sizeof(float));
        if (runBytes > 0) {
            glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(first) * 4 * sizeof(float),
                            runBytes, run.vertices.data());
        }
        first += static_cast<GLint>(run.vertices.size() / 4);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TextBatch::draw(Shader& textShader, const GlyphTable& table) const
{
    if (quads == 0) {
        return;
    }
    textShader.use();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, table.atlas.get());
    glBindVertexArray(vertexArray.get());
    for (const ColourRun& run : runs) {
        if (!run.vertices.empty()) {
            textShader.setUniform("textColor", run.colour);
            glDrawArrays(GL_TRIANGLES, run.first, static_cast<GLsizei>(run.vertices.size() / 4));
        }
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}
