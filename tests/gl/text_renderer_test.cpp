#include "render/text_renderer.h"

#include "render/shader.h"
#include "render/text_batch.h"

#include "build_tree_gl_test.h"
#include "support/temp_dir.h"
#include "support/working_directory.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

// Not square, so that a projection mixing up the two sides shows.
constexpr int width = 192;
constexpr int height = 112;

// A folder with the game's text shaders and a real TrueType font at the game's font path.
class TextTest : public ::testing::Test {
  protected:
    TextTest()
    {
        const std::filesystem::path built = std::filesystem::path(KORVEL_BINARY_DIR) / "assets";
        for (const char* file : {"shader/text.vert", "shader/text.frag", "fonts/arial.ttf"}) {
            std::filesystem::create_directories((folder / "assets" / file).parent_path());
            std::filesystem::copy_file(built / file, folder / "assets" / file);
        }
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    // Builds a renderer as the game does, keeping what it printed.
    void start()
    {
        testing::internal::CaptureStdout();
        text = std::make_unique<TextRenderer>(
            createTextRenderer(std::make_shared<Shader>("text.vert", "text.frag"), width, height));
        printed = testing::internal::GetCapturedStdout();
    }

    // The lit pixels' box (left, bottom, right, top) after drawing the text alone, by itself or
    // through a batch.
    glm::ivec4 drawnBox(const std::string& line, float x, float y, float scale = 1.0f,
                        bool batched = false)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        TextBatch batch;
        if (batched) {
            batch.add(line, x, y, scale, glm::vec3(1.0f), text->table);
            batch.upload();
            batch.draw(*text->shader, text->table);
        } else {
            text->draw(line, x, y, scale, glm::vec3(1.0f));
        }
        return litBox(Picture(width, height));
    }

    static glm::ivec4 litBox(const Picture& picture)
    {
        glm::ivec4 box(width, height, -1, -1);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                if (picture.at(column, row).r > 128) {
                    box = {std::min(box.x, column), std::min(box.y, row), std::max(box.z, column),
                           std::max(box.w, row)};
                }
            }
        }
        return box;
    }

    TempDir folder;
    WorkingDirectory inFolder{folder.path()};
    GlContext context{width, height};
    std::unique_ptr<TextRenderer> text;
    std::string printed;
};

} // namespace

// Positions are pixels from the bottom-left corner to the start of the baseline.
TEST_F(TextTest, TextIsDrawnFromThePenOnTheBaselineAndMovesWithIt)
{
    start();
    EXPECT_EQ(printed, "");
    const glm::ivec4 here = drawnBox("HI", 10.0f, 20.0f);
    EXPECT_GE(here.x, 10);
    EXPECT_LE(here.x, 16) << "starts at the pen, after the letter's small bearing";
    EXPECT_EQ(here.y, 20) << "capitals stand on the baseline";
    EXPECT_GT(here.z - here.x, 30) << "two capitals at 48 pixels";
    EXPECT_EQ(drawnBox("HI", 60.0f, 50.0f), here + glm::ivec4(50, 30, 50, 30));

    const glm::ivec4 half = drawnBox("HI", 100.0f, 20.0f, 0.5f);
    EXPECT_GE(half.x, 100);
    EXPECT_LE(half.x, 103);
    EXPECT_EQ(half.y, 20);
    EXPECT_NEAR(half.z - half.x, (here.z - here.x) / 2, 2);
}

TEST_F(TextTest, AMissingFontIsReportedAndTextDrawsNothing)
{
    std::filesystem::remove(folder / "assets/fonts/arial.ttf");
    start();
    EXPECT_EQ(printed, "ERROR::FREETYPE: Failed to load font\n");
    EXPECT_EQ(drawnBox("NO PIZZA", 10.0f, 20.0f), glm::ivec4(width, height, -1, -1));
}

// Many strings in one buffer from the atlas: each where renderText puts it, at any scale, and
// each in its own colour though the whole batch is a few draws.
TEST_F(TextTest, ABatchDrawsEachStringWhereRenderTextDoesInItsOwnColour)
{
    start();
    for (const float scale : {1.0f, 0.5f, 0.4f}) {
        EXPECT_EQ(drawnBox("+0.35", 12.0f, 30.0f, scale, true),
                  drawnBox("+0.35", 12.0f, 30.0f, scale))
            << scale;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    TextBatch batch;
    batch.add("-1.20", 5.0f, 60.0f, 0.5f, glm::vec3(0.0f, 1.0f, 0.0f), text->table);
    batch.add("+1.20", 100.0f, 60.0f, 0.5f, glm::vec3(1.0f, 0.0f, 0.0f), text->table);
    batch.add("+9.99", 5.0f, 10.0f, 0.5f, glm::vec3(0.0f, 1.0f, 0.0f), text->table);
    batch.upload();
    batch.draw(*text->shader, text->table);
    const Picture picture(width, height);
    int green = 0;
    int red = 0;
    int other = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const auto pixel = picture.at(column, row);
            const bool left = column < 95;
            if (pixel.g > 128 && pixel.r == 0) {
                green += left ? 1 : 0;
                other += left ? 0 : 1;
            } else if (pixel.r > 128 && pixel.g == 0) {
                red += left ? 0 : 1;
                other += left ? 1 : 0;
            }
        }
    }
    EXPECT_GT(green, 40);
    EXPECT_GT(red, 20);
    EXPECT_EQ(other, 0) << "a colour drawn where another string stands";
}
