#pragma once

#include <filesystem>
#include <string>

// Replaces a file's whole text so that a crash, a kill or a full disk at any moment leaves
// either the old text or the new one, never a torn file: the text goes to a fresh file beside
// it, is forced to disk and renamed over it. A link is followed and stays; a file this process
// may not write, or something other than a plain file in its place, is left alone. Returns
// whether the new text is in place.
bool replaceFileWhole(const std::filesystem::path& file, const std::string& text);
