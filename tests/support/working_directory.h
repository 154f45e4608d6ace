#pragma once

#include <filesystem>

// Runs the code of one scope in another working directory, as the game reads "assets/..."
// relative to it, and goes back afterwards.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::filesystem::path& folder)
        : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::filesystem::path previous;
};
