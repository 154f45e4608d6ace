#pragma once

#include <cstdint>

// What a run's course is: the world as built (every collider, body, material and tag), the
// obstacles' and the player's rules, and the attempt's length. A run made on another kitchen,
// or under other rules, has another fingerprint. Taken from a freshly started world.
std::uint64_t levelFingerprint();
