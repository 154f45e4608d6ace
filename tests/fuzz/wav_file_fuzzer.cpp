// Any bytes as a sound file: reading either refuses them with a reason or gives whole frames of
// one or two channels at a rate above zero, every sample read from inside the bytes.
#include "audio/wav_file.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    std::string problem;
    const std::optional<PcmSound> sound = parseWav(bytes, problem);
    if (!sound) {
        assert(!problem.empty());
        return 0;
    }
    assert(sound->channels == 1 || sound->channels == 2);
    assert(sound->sampleRate > 0);
    assert(!sound->samples.empty() && sound->samples.size() % sound->channels == 0);
    assert(sound->samples.size() * 2 <= size);
    return 0;
}
