// Any bytes as "assets/score.txt": reading gives some int without a crash, and whatever best
// it gives, the text saved for it reads back as the same best, so a save never loses it.
#include "game/best_score.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    const int best = parseBestScore(file);

    const std::string saved = bestScoreText(best);
    std::istringstream reread(saved);
    assert(parseBestScore(reread) == best);
    assert(!saved.empty() && saved.find_first_of(" \n") == std::string::npos);
    return 0;
}
