#include "process_measures.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace {

double seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

// The start of a file of /proc into text, ended by a zero, without allocating.
bool readSmallFile(const char* path, std::array<char, 128>& text)
{
    const int file = open(path, O_RDONLY);
    if (file < 0) {
        return false;
    }
    const ssize_t length = read(file, text.data(), text.size() - 1);
    close(file);
    text[length > 0 ? static_cast<std::size_t>(length) : 0] = '\0';
    return length > 0;
}

} // namespace

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

double residentMegabytes()
{
    // statm: the total size, then the resident pages.
    std::array<char, 128> text{};
    if (!readSmallFile("/proc/self/statm", text)) {
        return 0.0;
    }
    char* rest = nullptr;
    std::strtol(text.data(), &rest, 10);
    const long pages = std::strtol(rest, nullptr, 10);
    return static_cast<double>(pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

double oneMinuteLoad()
{
    std::array<char, 128> text{};
    return readSmallFile("/proc/loadavg", text) ? std::strtod(text.data(), nullptr) : 0.0;
}

std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}
