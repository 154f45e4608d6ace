#pragma once

#include "assetgen/image.h"

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a DDS file holding one DXT1-compressed mip level of the picture: "DDS ", the
// 124-byte header (linear size = the data that follows, FourCC "DXT1") and the blocks.
std::vector<std::uint8_t> ddsFileBytes(const Image& image);
