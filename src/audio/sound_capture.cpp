#include "audio/sound_capture.h"

#include "audio/sound_mixer.h"

#include <cmath>
#include <fstream>
#include <span>

namespace {

// Frames from the start of the run to the end of pass `pass`, rounded: the passes' shares add
// up to the run's length whatever the frame time.
long long framesUntil(long pass, double frameTime)
{
    return std::llround(static_cast<double>(pass) * frameTime * SoundMixer::sampleRate);
}

} // namespace

SoundCapture::SoundCapture(double frameTime, long passes) : frameTime(frameTime)
{
    take.sampleRate = SoundMixer::sampleRate;
    take.channels = 2;
    take.samples.reserve(static_cast<std::size_t>(framesUntil(passes + 1, frameTime)) * 2);
}

void SoundCapture::renderPass()
{
    const long long frames = framesUntil(pass + 1, frameTime) - framesUntil(pass, frameTime);
    ++pass;
    const std::size_t begin = take.samples.size();
    take.samples.resize(begin + static_cast<std::size_t>(frames) * 2);
    const std::span<std::int16_t> chunk(take.samples.data() + begin,
                                        static_cast<std::size_t>(frames) * 2);
    if (mixer != nullptr) {
        mixer->render(chunk);
    }
}

bool SoundCapture::save(const std::filesystem::path& file) const
{
    const std::vector<std::uint8_t> bytes = wavBytes(take);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
