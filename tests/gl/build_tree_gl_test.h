#pragma once

#include "support/gl_context.h"
#include "support/working_directory.h"

#include <memory>
#include <vector>

// A GL test that runs in the build tree, where assets/shader/ holds the game's shader files as
// the game reads them, with a hidden 64 x 64 window.
class BuildTreeGlTest : public ::testing::Test {
  protected:
    static constexpr int windowWidth = 64;
    static constexpr int windowHeight = 64;

    WorkingDirectory buildTree{KORVEL_BINARY_DIR};
    GlContext context{windowWidth, windowHeight};
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// What the bound read framebuffer holds, bottom row first.
class Picture {
  public:
    Picture(int width = 64, int height = 64) : width(width), height(height)
    {
        bytes.resize(static_cast<size_t>(width * height * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    }
    Rgb at(int x, int y) const
    {
        const size_t i = static_cast<size_t>((y * width + x) * 3);
        return {bytes[i], bytes[i + 1], bytes[i + 2]};
    }
    template <typename Test> int countWhere(Test test) const
    {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                count += test(at(x, y)) ? 1 : 0;
            }
        }
        return count;
    }
    bool operator==(const Picture& other) const { return bytes == other.bytes; }

    const int width;
    const int height;

  private:
    std::vector<unsigned char> bytes;
};

inline bool isWhite(Rgb pixel)
{
    return pixel.r == 255 && pixel.g == 255 && pixel.b == 255;
}
