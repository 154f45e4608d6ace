#pragma once

#include <filesystem>
#include <istream>
#include <string>

// The best score of all runs, kept in a one-line text file: the decimal text of one int and
// nothing else. A missing or unreadable file, or one without a number, counts as 0, so the
// first win with any time left becomes the best.
class BestScore {
  public:
    explicit BestScore(std::filesystem::path file = "assets/score.txt");

    // Records a new best and writes it. The old file is replaced only once the new one is
    // complete on disk, so a crash or a full disk never loses the stored best. A failed write
    // is not reported; the new value is kept in memory for this run.
    void save(int score);

    int value = 0;

    // Where the score is kept; the best run's recording is kept beside it.
    const std::filesystem::path& path() const { return file; }

  private:
    std::filesystem::path file;
};

// The file's text for a score, and back: the first int after leading white space, whatever
// follows it ignored; 0 when the text holds none (or one out of int's range). Reading the text
// written for any score gives that score back.
std::string bestScoreText(int score);
int parseBestScore(std::istream& text);
