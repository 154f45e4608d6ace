#include "game/file_replace.h"

#include <string>
#include <system_error>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
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

// The file a save must replace: a link is followed, so a file kept elsewhere through a link
// is updated there and the link stays.
std::filesystem::path replacedFile(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) {
        return file;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(file, error);
    return error ? file : resolved;
}

// Makes a finished rename survive a power cut as well; a folder that cannot be opened or
// synced still holds the renamed file for every later reader, so failure here is not fatal.
void syncFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// What a file made now gets for access, as a plain open() with mode 0666 would give it.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the text to a fresh file beside the target, forces it to disk and renames it over
// the target: the target holds either the old or the new text, never a torn one. The fresh
// file has a name of its own, so two games saving at once never write into each other's. A
// target this process may not write (a file frozen read-only) is left alone, as opening it
// for writing would have failed.
bool replaceFile(const std::filesystem::path& target, const std::string& text)
{
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    std::string temporary = target.string() + ".XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    // Keep the owner's choice of access for a score that exists, the usual one for a new one.
    ::fchmod(descriptor, exists ? existing.st_mode & 07777 : newFileMode());
    const bool written = writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

} // namespace

bool replaceFileWhole(const std::filesystem::path& file, const std::string& text)
{
    return replaceFile(replacedFile(file), text);
}
