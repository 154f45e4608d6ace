#include "assetgen/sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace sounds {

namespace {

constexpr double rate = 44100.0;
constexpr double twoPi = 6.283185307179586;

// A sound as floats in -1..1, turned into samples at the end.
using Wave = std::vector<double>;

Wave silence(double seconds)
{
    return Wave(static_cast<std::size_t>(seconds * rate), 0.0);
}

double seconds(std::size_t i)
{
    return static_cast<double>(i) / rate;
}

// Quick rise, then an exponential fall: no click at either end.
double envelope(double t, double length, double attack, double decay)
{
    const double rise = std::min(1.0, t / attack);
    const double tail = std::min(1.0, (length - t) / 0.005);
    return rise * std::exp(-t / decay) * std::max(0.0, tail);
}

// A tone gliding exponentially from one pitch to another, with a little of its octave for body.
void glide(Wave& wave, double from, double to, double attack, double decay, double gain)
{
    const double length = seconds(wave.size());
    double phase = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        phase += twoPi * from * std::pow(to / from, t / length) / rate;
        const double tone = std::sin(phase) + 0.3 * std::sin(2.0 * phase);
        wave[i] += gain * envelope(t, length, attack, decay) * tone;
    }
}

// A bell-like note placed at start: the fundamental and two soft overtones.
void bell(Wave& wave, double start, double pitch, double length, double gain)
{
    const auto first = static_cast<std::size_t>(start * rate);
    const std::size_t end = std::min(wave.size(), first + static_cast<std::size_t>(length * rate));
    for (std::size_t i = first; i < end; ++i) {
        const double t = seconds(i - first);
        const double w = twoPi * pitch * t;
        const double tone = std::sin(w) + 0.35 * std::sin(2.0 * w) + 0.12 * std::sin(3.0 * w);
        wave[i] += gain * envelope(t, length, 0.004, length / 3.0) * tone;
    }
}

// Deterministic white noise in -1..1 from an integer hash: the same bytes on every run.
double noiseAt(std::uint32_t i, std::uint32_t seed)
{
    std::uint32_t h = i * 0x9E3779B1u ^ seed * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 2147483647.5 - 1.0;
}

// Noise through a resonant band-pass whose centre follows centre(t): air, sizzle, swish.
void band(Wave& wave, const std::function<double(double)>& centre, double q, double gain,
          const std::function<double(double)>& level, std::uint32_t seed)
{
    double low = 0.0;
    double mid = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double f = 2.0 * std::sin(3.14159265 * std::min(centre(t), 8000.0) / rate);
        const double high = noiseAt(static_cast<std::uint32_t>(i), seed) - low - mid / q;
        mid += f * high;
        low += f * mid;
        wave[i] += gain * level(t) * mid;
    }
}

// The kitchen's tune at 140 beats a minute: a beat is exactly 18900 samples, so the eight bars
// of four beats fill the loop to the sample and every note starts on a whole sample.
constexpr std::size_t samplesPerEighth = 9450;
constexpr std::size_t tuneBars = 8;
constexpr std::size_t eighthsPerBar = 8;
constexpr double eighth = static_cast<double>(samplesPerEighth) / rate;

// A piano key's pitch in Hz, A4 = 69 being 440.
double keyPitch(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// A note added into a loop: a tail that runs past the loop's end sounds at its start, where the
// next time round would hear it, so the last sample runs on into the first.
void addLooped(Wave& loop, std::size_t first, double length,
               const std::function<double(double)>& note)
{
    const auto count = static_cast<std::size_t>(length * rate);
    for (std::size_t i = 0; i < count; ++i) {
        loop[(first + i) % loop.size()] += note(seconds(i));
    }
}

// A bright bell-like pluck that mellows as it rings: frequency modulation whose depth falls
// away within the first tenth of a second.
void melodyNote(Wave& loop, std::size_t first, int key, double length)
{
    const double w = twoPi * keyPitch(key);
    addLooped(loop, first, length, [w, length](double t) {
        const double depth = 0.6 + 2.0 * std::exp(-t / 0.06);
        return 0.13 * envelope(t, length, 0.005, 0.4) * std::sin(w * t + depth * std::sin(w * t));
    });
}

// A round low note with two soft overtones, so it carries on small speakers.
void bassNote(Wave& loop, std::size_t first, int key, double length)
{
    const double w = twoPi * keyPitch(key);
    addLooped(loop, first, length, [w, length](double t) {
        const double tone =
            std::sin(w * t) + 0.4 * std::sin(2.0 * w * t) + 0.15 * std::sin(3.0 * w * t);
        return 0.15 * envelope(t, length, 0.008, 0.3) * tone;
    });
}

// A short soft chord on the off-beat, which makes the tune skip along.
void chordStab(Wave& loop, std::size_t first, const std::array<int, 3>& keys)
{
    constexpr double length = 0.12;
    for (const int key : keys) {
        const double w = twoPi * keyPitch(key);
        addLooped(loop, first, length, [w](double t) {
            const double tone = std::sin(w * t) + 0.3 * std::sin(2.0 * w * t);
            return 0.035 * envelope(t, length, 0.003, 0.05) * tone;
        });
    }
}

// Each bar's bass root and the chord over it: C, A minor, F, G, C, E minor, D minor, G.
struct TuneBar {
    int root = 0;
    std::array<int, 3> chord{};
};
constexpr std::array<TuneBar, tuneBars> tuneBarChords = {{{48, {55, 60, 64}},
                                                          {45, {57, 60, 64}},
                                                          {41, {57, 60, 65}},
                                                          {43, {55, 59, 62}},
                                                          {48, {55, 60, 64}},
                                                          {40, {55, 59, 64}},
                                                          {50, {57, 62, 65}},
                                                          {43, {55, 59, 62}}}};

// The melody as keys and lengths in eighths, eight to a bar; the last bar walks down to the
// first note, so the loop comes round as if it went on.
struct TuneNote {
    int key = 0;
    int eighths = 0;
};
constexpr TuneNote tuneMelody[] = {
    {76, 1}, {79, 1}, {84, 2}, {83, 1}, {84, 1}, {79, 2}, // C
    {81, 2}, {76, 1}, {81, 1}, {79, 2}, {76, 2},          // A minor
    {77, 1}, {81, 1}, {84, 2}, {81, 1}, {79, 1}, {77, 2}, // F
    {79, 3}, {77, 1}, {76, 1}, {74, 1}, {71, 2},          // G
    {76, 1}, {79, 1}, {84, 2}, {86, 1}, {84, 1}, {79, 2}, // C
    {83, 2}, {79, 1}, {76, 1}, {79, 2}, {83, 2},          // E minor
    {81, 1}, {77, 1}, {74, 2}, {77, 1}, {81, 1}, {84, 2}, // D minor
    {83, 2}, {81, 1}, {79, 1}, {77, 1}, {76, 1}, {74, 2}, // G
};

// Under each bar an alternating bass, root and fifth on the beats, and the chord between them.
void accompany(Wave& loop)
{
    const double beat = 2.0 * eighth;
    for (std::size_t bar = 0; bar < tuneBars; ++bar) {
        const TuneBar& chords = tuneBarChords[bar];
        for (std::size_t beatInBar = 0; beatInBar < 4; ++beatInBar) {
            const std::size_t onBeat = (bar * eighthsPerBar + 2 * beatInBar) * samplesPerEighth;
            bassNote(loop, onBeat, chords.root + (beatInBar % 2 == 1 ? 7 : 0), 0.9 * beat);
            chordStab(loop, onBeat + samplesPerEighth, chords.chord);
        }
    }
}

PcmSound toPcm(const Wave& wave)
{
    PcmSound sound;
    sound.samples.reserve(wave.size());
    for (const double value : wave) {
        const double clamped = std::clamp(value, -1.0, 1.0);
        sound.samples.push_back(static_cast<std::int16_t>(std::lround(clamped * 32767.0)));
    }
    return sound;
}

} // namespace

PcmSound jump()
{
    Wave wave = silence(0.16);
    glide(wave, 330.0, 660.0, 0.004, 0.06, 0.35);
    return toPcm(wave);
}

PcmSound secondJump()
{
    Wave wave = silence(0.16);
    glide(wave, 495.0, 990.0, 0.004, 0.06, 0.35);
    return toPcm(wave);
}

PcmSound landing()
{
    Wave wave = silence(0.2);
    glide(wave, 110.0, 45.0, 0.002, 0.05, 0.55);
    band(
        wave, [](double) { return 900.0; }, 1.0, 0.25,
        [](double t) { return std::min(1.0, t / 0.002) * std::exp(-t / 0.015); }, 11u);
    return toPcm(wave);
}

PcmSound knifeWhoosh()
{
    Wave wave = silence(0.45);
    const auto centre = [](double t) { return 500.0 + 2600.0 * std::sin(3.14159265 * t / 0.45); };
    const auto level = [](double t) {
        const double x = t / 0.45;
        return 4.0 * x * (1.0 - x) * std::min(1.0, (0.45 - t) / 0.01);
    };
    band(wave, centre, 6.0, 0.09, level, 23u);
    return toPcm(wave);
}

PcmSound hazardHop()
{
    Wave wave = silence(0.22);
    glide(wave, 180.0, 520.0, 0.003, 0.05, 0.3);
    band(
        wave, [](double) { return 2500.0; }, 2.0, 0.15,
        [](double t) { return std::min(1.0, t / 0.002) * std::exp(-t / 0.08); }, 37u);
    return toPcm(wave);
}

PcmSound death()
{
    Wave wave = silence(0.95);
    const double notes[] = {392.0, 370.0, 349.2};
    for (int i = 0; i < 3; ++i) {
        bell(wave, 0.18 * i, notes[i], 0.3, 0.25);
    }
    Wave slide = silence(0.45);
    glide(slide, 330.0, 196.0, 0.01, 0.25, 0.25);
    const auto start = static_cast<std::size_t>(0.5 * rate);
    for (std::size_t i = 0; i < slide.size() && start + i < wave.size(); ++i) {
        wave[start + i] += slide[i];
    }
    return toPcm(wave);
}

PcmSound timeUp()
{
    Wave wave = silence(0.75);
    bell(wave, 0.0, 220.0, 0.3, 0.35);
    bell(wave, 0.35, 164.8, 0.4, 0.35);
    return toPcm(wave);
}

PcmSound win()
{
    Wave wave = silence(0.85);
    const double notes[] = {523.3, 659.3, 784.0, 1046.5};
    for (int i = 0; i < 4; ++i) {
        bell(wave, 0.11 * i, notes[i], i == 3 ? 0.5 : 0.2, 0.22);
    }
    return toPcm(wave);
}

PcmSound music()
{
    Wave loop(tuneBars * eighthsPerBar * samplesPerEighth, 0.0);
    accompany(loop);
    std::size_t eighths = 0;
    for (const TuneNote& note : tuneMelody) {
        melodyNote(loop, eighths * samplesPerEighth, note.key, note.eighths * eighth);
        eighths += static_cast<std::size_t>(note.eighths);
    }
    return toPcm(loop);
}

PcmSound tick()
{
    Wave wave = silence(0.05);
    bell(wave, 0.0, 1760.0, 0.05, 0.3);
    return toPcm(wave);
}

} // namespace sounds
