#include "game/medals.h"

#include <array>

namespace {

constexpr std::array<Medal, 5> allMedals{Medal::none, Medal::bronze, Medal::silver, Medal::gold,
                                         Medal::author};

} // namespace

Medal medalFor(long long milliseconds)
{
    Medal earned = Medal::none;
    for (const Medal medal : allMedals) {
        if (const auto slowest = medalMilliseconds(medal); slowest && milliseconds <= *slowest) {
            earned = medal;
        }
    }
    return earned;
}

std::optional<Medal> nextMedal(Medal medal)
{
    if (medal == Medal::author) {
        return std::nullopt;
    }
    return static_cast<Medal>(static_cast<int>(medal) + 1);
}

const char* medalName(Medal medal)
{
    switch (medal) {
    case Medal::author:
        return "Author medal";
    case Medal::gold:
        return "Gold medal";
    case Medal::silver:
        return "Silver medal";
    case Medal::bronze:
        return "Bronze medal";
    case Medal::none:
        break;
    }
    return "No medal";
}

const char* medalWord(Medal medal)
{
    switch (medal) {
    case Medal::author:
        return "author";
    case Medal::gold:
        return "gold";
    case Medal::silver:
        return "silver";
    case Medal::bronze:
        return "bronze";
    case Medal::none:
        break;
    }
    return "none";
}

std::optional<Medal> medalNamed(std::string_view word)
{
    for (const Medal medal : allMedals) {
        if (word == medalWord(medal)) {
            return medal;
        }
    }
    return std::nullopt;
}
