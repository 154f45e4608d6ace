#include "audio/wav_file.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A WAVE file's bytes written out by hand: little-endian numbers and four-letter tags.
std::string u32(std::uint32_t v)
{
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string u16(std::uint16_t v)
{
    return {char(v), char(v >> 8)};
}

std::string format(std::uint16_t kind, std::uint16_t channels, std::uint16_t bits)
{
    return "fmt " + u32(16) + u16(kind) + u16(channels) + u32(44100) + u32(44100 * 2) + u16(2) +
           u16(bits);
}

std::string riff(const std::string& chunks)
{
    return "RIFF" + u32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// Exactly the file's bytes in a block of their own, so AddressSanitizer sees a read past them.
std::optional<PcmSound> parse(const std::string& file, std::string& problem)
{
    const auto view = std::as_bytes(std::span(file));
    const std::vector<std::byte> bytes(view.begin(), view.end());
    return parseWav(bytes, problem);
}

} // namespace

TEST(WavFile, ReadsPcmSamplesPastOtherChunksAndRefusesWhatItCannotPlay)
{
    std::string problem;
    const auto sound =
        parse(riff("LIST" + u32(3) + "abc" + std::string(1, '\0') + format(1, 2, 16) + "data" +
                   u32(8) + u16(1) + u16(0xFFFF) + u16(0x7FFF) + u16(0x8000)),
              problem);
    ASSERT_TRUE(sound) << problem;
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->sampleRate, 44100u);
    EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{1, -1, 32767, -32768}));

    const std::string samples = "data" + u32(2) + u16(5);
    const struct {
        std::string file;
        const char* problem;
    } refused[] = {
        {"", "not a RIFF/WAVE file"},
        {riff(format(1, 1, 16)).replace(8, 4, "AVI "), "not a RIFF/WAVE file"},
        {riff(format(3, 1, 16) + samples), "not 16-bit PCM"},
        {riff(format(1, 1, 8) + samples), "not 16-bit PCM"},
        {riff(format(1, 3, 16) + samples), "unsupported channels or rate"},
        {riff("fmt " + u32(12) + std::string(12, '\1') + samples), "format chunk too short"},
        {riff(samples + format(1, 1, 16)), "samples before their format"},
        {riff(format(1, 1, 16) + "data" + u32(0)), "no samples"},
        {riff(format(1, 1, 16) + "data" + u32(4) + u16(5)),
         "a chunk runs past the end of the file"},
        {riff(format(1, 1, 16) + "data" + u32(0xFFFFFFFF)),
         "a chunk runs past the end of the file"},
        {riff(format(1, 1, 16)), "no samples"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.problem);
        problem.clear();
        EXPECT_FALSE(parse(r.file, problem));
        EXPECT_EQ(problem, r.problem);
    }
}

// Short mono sounds with room in the mix, and no click where they start or stop.
TEST(GeneratedSounds, AreShortMonoPcmThatStartAndEndQuietly)
{
    const char* names[] = {"jump",  "jump_high", "landing", "knife_whoosh", "hazard_hop",
                           "death", "time_up",   "win",     "tick"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string file =
            generated::fileText(generated::assetFolder() / "sounds" / (std::string(name) + ".wav"));
        std::string problem;
        const auto sound = parse(file, problem);
        ASSERT_TRUE(sound) << problem;
        EXPECT_EQ(sound->channels, 1);
        EXPECT_EQ(sound->sampleRate, 44100u);
        EXPECT_GE(sound->samples.size(), 44100u / 50);
        EXPECT_LE(sound->samples.size(), 44100u);
        int peak = 0;
        for (const std::int16_t s : sound->samples) {
            peak = std::max(peak, std::abs(int{s}));
        }
        EXPECT_GT(peak, 32767 / 8) << "too faint";
        EXPECT_LT(peak, 32767 * 7 / 10) << "no room left for the rest of the mix";
        EXPECT_LT(std::abs(int{sound->samples.front()}), 500);
        EXPECT_LT(std::abs(int{sound->samples.back()}), 500);
    }
}

// The music loops under the game for as long as it runs: its last sample steps into its first
// no further than the samples around the seam step into their neighbours, so no click marks
// the turn of the loop.
TEST(GeneratedSounds, TheMusicLoopsWithoutAClick)
{
    std::string problem;
    const auto music =
        parse(generated::fileText(generated::assetFolder() / "sounds/music.wav"), problem);
    ASSERT_TRUE(music) << problem;
    const std::vector<std::int16_t>& samples = music->samples;
    const auto stepAfter = [&samples](std::size_t i) {
        return std::abs(samples[(i + 1) % samples.size()] - samples[i]);
    };
    const std::size_t seam = samples.size() - 1;
    int around = 0;
    for (std::size_t i = 1; i <= music->sampleRate / 1000; ++i) {
        around = std::max({around, stepAfter(seam - i), stepAfter((seam + i) % samples.size())});
    }
    EXPECT_LE(stepAfter(seam), around);
}
