#include "launch_time.h"

#include "process_measures.h"

#include <cstdlib>

namespace {

constexpr const char* variable = "KORVEL_BENCH_LAUNCH_NS";

} // namespace

std::string launchTimeEntry()
{
    const auto nanoseconds = static_cast<long long>(monotonicSeconds() * 1e9);
    return std::string(variable) + "=" + std::to_string(nanoseconds);
}

std::optional<double> launchTime()
{
    const char* launched = std::getenv(variable);
    if (launched == nullptr) {
        return std::nullopt;
    }
    return std::strtod(launched, nullptr) * 1e-9;
}

std::string launchTimeVariable()
{
    return variable;
}
