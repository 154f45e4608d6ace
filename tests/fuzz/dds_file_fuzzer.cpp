// Any bytes as a DDS texture file: parsing either refuses them or describes a level-0 image
// that lies wholly inside them. Every byte the GL upload would read is read here, so the
// address sanitizer sees any read past the buffer.
#include "render/dds_file.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const std::optional<DdsImage> image = parseDds(bytes);
    if (!image) {
        return 0;
    }
    assert(image->data.size() == image->uploadSize);
    assert(image->data.data() == bytes.data() + ddsHeaderSize);

    unsigned int sum = 0;
    for (const std::byte b : image->data) {
        sum += static_cast<unsigned int>(b);
    }
    volatile unsigned int keep = sum; // the loop must not be optimised away
    (void)keep;
    return 0;
}
