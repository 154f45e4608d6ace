#include "game/best_score.h"

#include "game/file_replace.h"

#include <fstream>
#include <string>
#include <system_error>
#include <utility>

std::string bestScoreText(int score)
{
    return std::to_string(score);
}

int parseBestScore(std::istream& text)
{
    int stored = 0;
    return text >> stored ? stored : 0;
}

BestScore::BestScore(std::filesystem::path file) : file(std::move(file))
{
    // Only a plain file is read: opening a pipe or a device put in its place could block
    // start-up for good.
    std::error_code error;
    if (!std::filesystem::is_regular_file(this->file, error)) {
        return;
    }
    std::ifstream in(this->file);
    if (in) {
        value = parseBestScore(in);
    }
}

void BestScore::save(int score)
{
    value = score;
    replaceFileWhole(file, bestScoreText(score));
}
