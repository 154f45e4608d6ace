#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary directory, removed with everything in it when
// the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& relative) const { return root / relative; }

    // Writes a file (creating its folders) with exactly these bytes.
    void write(const std::string& relative, const std::string& bytes) const;
    std::string read(const std::string& relative) const;

    // Copies the built game's assets/ folder into this one, so a test may change or break files.
    void copyBuiltAssets() const;

  private:
    std::filesystem::path root;
};
