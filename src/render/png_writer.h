#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an 8-bit RGB image as a PNG file. The pixels are given bottom row first, as GL reads
// them back; the file is written top row first. Uses uncompressed deflate blocks: screenshots
// are few and small enough that a compressor is not worth a dependency.
bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgbBottomUp);

// The PNG bytes themselves, for tests and for callers that write elsewhere.
std::vector<std::uint8_t> encodePng(int width, int height,
                                    const std::vector<std::uint8_t>& rgbBottomUp);
