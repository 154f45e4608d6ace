#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB image as a compressed PNG file through libpng. The pixels are given bottom
// row first, as GL reads them back; the file is written top row first. Returns false, leaving no
// file behind, when the image is malformed or the file cannot be written.
bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgbBottomUp);
