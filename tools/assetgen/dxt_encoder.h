#pragma once

#include "assetgen/image.h"

#include <cstdint>
#include <vector>

// S3TC block compression of a picture whose sides are multiples of four. Endpoints come from the
// block's principal colour axis, then a least-squares pass refines them against the chosen
// indices. Plain arithmetic in a fixed order: the same picture always gives the same bytes.
namespace dxt {

// Opaque colour, 8 bytes per 4x4 block, always in four-colour mode.
std::vector<std::uint8_t> encodeDxt1(const Image& image);

} // namespace dxt
