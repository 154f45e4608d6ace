#include "audio/wav_file.h"

namespace {

constexpr std::size_t chunkHeaderSize = 8;
constexpr std::uint16_t pcmFormat = 1;

std::uint32_t readU32(std::span<const std::byte> bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

std::uint16_t readU16(std::span<const std::byte> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned>(bytes[at]) |
                                      static_cast<unsigned>(bytes[at + 1]) << 8);
}

bool tagIs(std::span<const std::byte> bytes, std::size_t at, const char* tag)
{
    for (std::size_t i = 0; i < 4; ++i) {
        if (static_cast<char>(bytes[at + i]) != tag[i]) {
            return false;
        }
    }
    return true;
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void putU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

// The "fmt " chunk's body: 16-bit PCM, one or two channels, any rate above zero.
bool readFormat(std::span<const std::byte> body, PcmSound& sound, std::string& problem)
{
    if (body.size() < 16) {
        problem = "format chunk too short";
        return false;
    }
    sound.channels = readU16(body, 2);
    sound.sampleRate = readU32(body, 4);
    if (readU16(body, 0) != pcmFormat || readU16(body, 14) != 16) {
        problem = "not 16-bit PCM";
        return false;
    }
    if (sound.channels < 1 || sound.channels > 2 || sound.sampleRate == 0) {
        problem = "unsupported channels or rate";
        return false;
    }
    return true;
}

void readSamples(std::span<const std::byte> body, PcmSound& sound)
{
    const std::size_t frames = body.size() / (2u * sound.channels);
    sound.samples.resize(frames * sound.channels);
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<std::int16_t>(readU16(body, 2 * i));
    }
}

} // namespace

std::optional<PcmSound> parseWav(std::span<const std::byte> bytes, std::string& problem)
{
    if (bytes.size() < 12 || !tagIs(bytes, 0, "RIFF") || !tagIs(bytes, 8, "WAVE")) {
        problem = "not a RIFF/WAVE file";
        return std::nullopt;
    }
    PcmSound sound;
    bool formatSeen = false;
    std::size_t at = 12;
    while (bytes.size() - at >= chunkHeaderSize) {
        const std::size_t size = readU32(bytes, at + 4);
        const std::size_t bodyAt = at + chunkHeaderSize;
        if (size > bytes.size() - bodyAt) {
            problem = "a chunk runs past the end of the file";
            return std::nullopt;
        }
        const std::span<const std::byte> body = bytes.subspan(bodyAt, size);
        if (tagIs(bytes, at, "fmt ")) {
            if (!readFormat(body, sound, problem)) {
                return std::nullopt;
            }
            formatSeen = true;
        } else if (tagIs(bytes, at, "data")) {
            if (!formatSeen) {
                problem = "samples before their format";
                return std::nullopt;
            }
            readSamples(body, sound);
            if (sound.samples.empty()) {
                problem = "no samples";
                return std::nullopt;
            }
            return sound;
        }
        // Chunks are padded to an even length.
        at = bodyAt + size + (size & 1u);
        if (at > bytes.size()) {
            break;
        }
    }
    problem = "no samples";
    return std::nullopt;
}

std::vector<std::uint8_t> wavBytes(const PcmSound& sound)
{
    const auto dataSize = static_cast<std::uint32_t>(sound.samples.size() * 2);
    const auto blockAlign = static_cast<std::uint16_t>(2 * sound.channels);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    putU32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, pcmFormat);
    putU16(out, sound.channels);
    putU32(out, sound.sampleRate);
    putU32(out, sound.sampleRate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, 16);
    putTag(out, "data");
    putU32(out, dataSize);
    for (const std::int16_t sample : sound.samples) {
        putU16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}
