#pragma once

#include <cstdint>
#include <vector>

// The window's back buffer as 8-bit RGB, bottom row first: called after a frame is drawn and
// before it is swapped, it is the picture the player is about to see.
std::vector<std::uint8_t> readBackBuffer(int width, int height);
