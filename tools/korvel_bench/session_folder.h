#pragma once

#include <filesystem>

// A fresh temporary folder the long session plays in: a copy of the built assets, settings for
// a tiny window (so a software rasteriser gives hundreds of passes a second) and no best score
// or runs, so the runs found there afterwards are the session's own. Removed with everything
// in it, unless KORVEL_BENCH_KEEP_SESSION is set (then its path is named on standard error).
class SessionFolder {
  public:
    static constexpr int windowPixels = 64; // the window's width and height

    // Throws std::runtime_error when the folder or the copy cannot be made.
    explicit SessionFolder(const std::filesystem::path& builtAssets);
    ~SessionFolder();
    SessionFolder(const SessionFolder&) = delete;
    SessionFolder& operator=(const SessionFolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    // The runs as the game keeps them, relative to the folder (the game's working directory).
    std::filesystem::path lastRun() const;
    std::filesystem::path bestRun() const;

  private:
    std::filesystem::path root;
};
