#include "render/png_writer.h"

#include <png.h>

bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgbBottomUp)
{
    if (width <= 0 || height <= 0 ||
        rgbBottomUp.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        return false;
    }
    // libpng's simplified interface reports failures by its return value instead of a longjmp,
    // which would skip C++ destructors, and removes a half-written file itself.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // F12 compresses on the main thread between two frames: a third of the time for half as much
    // again in size keeps the hitch small; a game frame still shrinks to a third of its pixels.
    image.flags = PNG_IMAGE_FLAG_FAST;
    // A negative row stride reads the rows from the last one up: GL's bottom row goes last.
    const auto rowStride = -static_cast<png_int_32>(width * 3);
    const int written =
        png_image_write_to_file(&image, path.c_str(), 0, rgbBottomUp.data(), rowStride, nullptr);
    png_image_free(&image);
    return written != 0;
}
