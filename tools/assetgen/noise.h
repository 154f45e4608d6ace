#pragma once

#include <glm/vec2.hpp>

#include <cstdint>

// Deterministic noise for texture synthesis. Every function is a pure function of its
// arguments (integer hashing, no global random state), so two runs paint identical pictures.
// Lattice functions take a period: the pattern repeats after that many cells, which makes a
// texture painted over u, v in 0..1 with cell counts that divide the period tile seamlessly.
namespace noise {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Uniform in 0..1 from the hash of a lattice point.
float random(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Smoothly interpolated lattice noise in 0..1; p is in cells, the lattice wraps at period.
float value(glm::vec2 p, glm::ivec2 period, std::uint32_t seed);

// Sum of octaves of value noise, each twice the frequency and half the amplitude of the last,
// normalised to 0..1. p is in cells of the first octave.
float fractal(glm::vec2 p, glm::ivec2 period, int octaves, std::uint32_t seed);

// Distance to the nearest of one random point per cell (cellular pattern), in cells.
float cellDistance(glm::vec2 p, glm::ivec2 period, std::uint32_t seed);

} // namespace noise
