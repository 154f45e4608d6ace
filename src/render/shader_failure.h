#pragma once

#include <stdexcept>

// A GL program that cannot be read, compiled or linked. Drawing cannot go on without it, but
// what the player is told and whether the game ends is the game's own decision, so the builders
// throw this instead of printing. what() holds exactly the lines to print, without the line
// break that ends the last one.
class ShaderFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
