// Any bytes as a DDS texture file: parsing either refuses them or describes a level-0 image
// that lies wholly inside them and is as large as its blocks need. Every byte the GL upload
// would read is read here, so the address sanitizer sees any read past the buffer.
#include "fuzz_check.h"
#include "render/dds_file.h"

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
    // As large as its blocks need, and wholly inside the file.
    const std::uint64_t blocks =
        ((std::uint64_t{image->width} + 3) / 4) * ((std::uint64_t{image->height} + 3) / 4);
    FUZZ_CHECK(image->blockSize == 8 || image->blockSize == 16);
    FUZZ_CHECK(image->uploadSize == blocks * image->blockSize);
    FUZZ_CHECK(image->data.size() == image->uploadSize);
    FUZZ_CHECK(image->data.data() == bytes.data() + ddsHeaderSize);

    unsigned int sum = 0;
    for (const std::byte b : image->data) {
        sum += static_cast<unsigned int>(b);
    }
    volatile unsigned int keep = sum; // the loop must not be optimised away
    (void)keep;
    return 0;
}
