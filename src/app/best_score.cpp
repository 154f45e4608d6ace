#include "app/best_score.h"

#include <fstream>
#include <string>
#include <utility>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

bool writeAll(int descriptor, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
        if (result < 0) {
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// Writes the text to a fresh file beside the target, forces it to disk and renames it over
// the target: the target holds either the old or the new text, never a torn one.
bool replaceFile(const std::filesystem::path& target, const std::string& text)
{
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    const bool written = writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

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
    std::ifstream in(this->file);
    if (in) {
        value = parseBestScore(in);
    }
}

void BestScore::save(int score)
{
    value = score;
    replaceFile(file, bestScoreText(score));
}
