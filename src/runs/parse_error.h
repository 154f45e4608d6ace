#pragma once

#include <string>

// Why a route or a recorded run was refused: the first line that is wrong and what is wrong
// with it, so the player can find it in the file.
struct ParseError {
    int line = 0; // 0: the file itself could not be read
    std::string message;
};
