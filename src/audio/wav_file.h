#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// 16-bit PCM sound, the only kind the game writes and plays. Samples of several channels are
// interleaved.
struct PcmSound {
    std::uint32_t sampleRate = 44100;
    std::uint16_t channels = 1;
    std::vector<std::int16_t> samples;
};

// Reads a RIFF/WAVE file held in bytes: one "fmt " chunk of 16-bit PCM with one or two channels,
// then its "data" chunk; other chunks are skipped. Refuses (empty result, with the reason in
// problem) anything else, a chunk that runs past the end, and a sound without samples. Every
// read stays inside bytes.
std::optional<PcmSound> parseWav(std::span<const std::byte> bytes, std::string& problem);

// The canonical 44-byte header and the samples, little-endian.
std::vector<std::uint8_t> wavBytes(const PcmSound& sound);
