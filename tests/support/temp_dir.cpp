#include "support/temp_dir.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "korvel-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored; // a test may have left its folder read-only
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root, ignored);
}

void TempDir::write(const std::string& relative, const std::string& bytes) const
{
    std::filesystem::create_directories((root / relative).parent_path());
    std::ofstream(root / relative, std::ios::binary | std::ios::trunc) << bytes;
}

std::string TempDir::read(const std::string& relative) const
{
    std::ostringstream content;
    content << std::ifstream(root / relative, std::ios::binary).rdbuf();
    return content.str();
}

void TempDir::copyBuiltAssets() const
{
    std::filesystem::copy(std::filesystem::path(KORVEL_BINARY_DIR) / "assets", root / "assets",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    // A game played in the build tree leaves the player's own files there; a test starts as a
    // first run does, without them.
    for (const char* playersOwn : {"score.txt", "best.run", "last.run"}) {
        std::filesystem::remove(root / "assets" / playersOwn);
    }
}
