#include "render/text_renderer.h"

#include "app/hud.h"
#include "render/shader.h"

#include "build_tree_gl_test.h"
#include "support/temp_dir.h"
#include "support/working_directory.h"

#include <filesystem>
#include <memory>

namespace {

constexpr int width = 128;
constexpr int height = 128;

// A folder with the game's text shaders and a real TrueType font at the game's font path.
class TextTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const std::filesystem::path built = std::filesystem::path(KORVEL_BINARY_DIR) / "assets";
        std::filesystem::create_directories(folder / "assets/shader");
        for (const char* file : {"shader/text.vert", "shader/text.frag"}) {
            std::filesystem::copy_file(built / file, folder / "assets" / file);
        }
        if (withFont) {
            std::filesystem::create_directories(folder / "assets/fonts");
            std::filesystem::copy_file(
                "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                folder / "assets/fonts/arial.ttf");
        }
        inFolder = std::make_unique<WorkingDirectory>(folder.path());
        context = std::make_unique<GlContext>(width, height);
        testing::internal::CaptureStdout();
        text = std::make_unique<TextRenderer>(
            createTextRenderer(std::make_shared<Shader>("text.vert", "text.frag"), width, height));
        printed = testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        text.reset();
        context.reset();
        inFolder.reset();
    }

    // The quad of the last character drawn: its left edge and bottom.
    glm::vec2 lastQuadCorner() const
    {
        float vertices[6][4] = {};
        glBindBuffer(GL_ARRAY_BUFFER, text->buffer.get());
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return {vertices[1][0], vertices[1][1]};
    }

    bool withFont = true;
    TempDir folder;
    std::unique_ptr<WorkingDirectory> inFolder;
    std::unique_ptr<GlContext> context;
    std::unique_ptr<TextRenderer> text;
    std::string printed;
};

class TextWithoutFontTest : public TextTest {
  protected:
    void SetUp() override
    {
        withFont = false;
        TextTest::SetUp();
    }
};

const glm::vec3 white(1.0f);

} // namespace

TEST_F(TextTest, LoadsAGlyphForEveryAsciiCode)
{
    EXPECT_EQ(printed, "");
    EXPECT_EQ(text->table.glyphs.size(), 128u);

    const Glyph& space = text->table.glyphs.at(' ');
    EXPECT_EQ(space.size, glm::ivec2(0, 0));
    EXPECT_GT(space.advance >> 6, 5u);

    const Glyph& letter = text->table.glyphs.at('H');
    EXPECT_GT(letter.size.x, 20);
    EXPECT_GT(letter.size.y, 30); // a capital at 48 pixels
    EXPECT_EQ(letter.bearing.y, letter.size.y) << "H sits on the baseline";
    GLint textureWidth = 0;
    glBindTexture(GL_TEXTURE_2D, letter.textureId);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
    EXPECT_EQ(textureWidth, letter.size.x);

    GLint projection = glGetUniformLocation(text->shader->getHandle(), "projection");
    float matrix[16] = {};
    glGetUniformfv(text->shader->getHandle(), projection, matrix);
    EXPECT_EQ(matrix[0], 2.0f / width);
    EXPECT_EQ(matrix[5], 2.0f / height);
    EXPECT_EQ(matrix[10], -1.0f);
    EXPECT_EQ(matrix[12], -1.0f);
    EXPECT_EQ(matrix[13], -1.0f);
}

TEST_F(TextTest, ThePenMovesByWholePixelsTimesTheScale)
{
    const Glyph a = text->table.glyphs.at('a');
    const Glyph b = text->table.glyphs.at('b');
    text->draw("ab", 25.0f, 40.0f, 1.0f, white);
    const glm::vec2 quad = lastQuadCorner();
    EXPECT_EQ(quad.x, 25.0f + static_cast<float>(a.advance >> 6) + static_cast<float>(b.bearing.x));
    EXPECT_EQ(quad.y, 40.0f - static_cast<float>(b.size.y - b.bearing.y));

    // An advance of 27.6 pixels at half size moves the pen 13.5, not 13.8.
    text->table.glyphs['A'].advance = 1766;
    const Glyph capitalB = text->table.glyphs.at('B');
    text->draw("AB", 0.0f, 0.0f, 0.5f, white);
    EXPECT_EQ(lastQuadCorner().x, 13.5f + static_cast<float>(capitalB.bearing.x) * 0.5f);
}

TEST_F(TextTest, ABytePastAsciiGetsAnEmptyEntryAndLeavesThePenWhereItWas)
{
    text->draw("ab", 10.0f, 40.0f, 1.0f, white);
    const glm::vec2 withoutGap = lastQuadCorner();
    text->draw("a\x80"
               "b",
               10.0f, 40.0f, 1.0f, white);
    EXPECT_EQ(lastQuadCorner(), withoutGap);

    ASSERT_EQ(text->table.glyphs.count(static_cast<char>(0x80)), 1u);
    const Glyph& inserted = text->table.glyphs.at(static_cast<char>(0x80));
    EXPECT_EQ(inserted.textureId, 0u);
    EXPECT_EQ(inserted.size, glm::ivec2(0));
    EXPECT_EQ(inserted.advance, 0u);
}

TEST_F(TextTest, WritesWhiteCoverageWithBlendingAndUnbindsEverything)
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    text->draw("HI", 10.0f, 40.0f, 1.0f, white);
    glDisable(GL_BLEND);
    const Picture picture(width, height);
    EXPECT_GT(picture.countWhere([](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; }), 200);
    // Nothing drawn below the baseline by letters without descenders, nor left of the pen.
    for (int x = 0; x < width; ++x) {
        EXPECT_EQ(picture.at(x, 30).r, 0) << x;
    }

    text->draw("", 10.0f, 40.0f, 1.0f, white);
    GLint program = -1;
    GLint vertexArray = -1;
    GLint texture = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(program, 0);
    EXPECT_EQ(vertexArray, 0);
    EXPECT_EQ(texture, 0);
}

TEST_F(TextTest, TheHudWritesTheTimerTopLeftAndLeavesUnitOneActive)
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    HudInputs inputs;
    inputs.secondsLeft = 7;
    inputs.width = width;
    inputs.height = height;
    drawHud(inputs, *text);

    // "7 sec" from x = 25 on the baseline at y = 78.
    const Picture picture(width, height);
    int lit = 0;
    int litElsewhere = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool on = picture.at(x, y).r > 128;
            const bool inTimer = x >= 25 && y >= 60 && y <= 118;
            (inTimer ? lit : litElsewhere) += on ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 100);
    EXPECT_EQ(litElsewhere, 0);

    GLint active = 0;
    GLint texture = -1;
    GLint vertexArray = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(texture, 0);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(texture, 0);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    EXPECT_EQ(vertexArray, 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(TextWithoutFontTest, AMissingFontIsReportedAndTextDrawsNothing)
{
    EXPECT_EQ(printed, "ERROR::FREETYPE: Failed to load font\n");
    EXPECT_TRUE(text->table.glyphs.empty());

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    text->draw("NO PIZZA", 10.0f, 40.0f, 1.0f, white);
    EXPECT_EQ(Picture(width, height).countWhere([](Rgb p) { return p.r != 0; }), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
