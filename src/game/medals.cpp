#include "game/medals.h"

#include <array>

namespace {

// Each medal with the win screen's name for it and the records index's word, from none up.
struct MedalNames {
    Medal medal;
    const char* name;
    const char* word;
};
constexpr std::array<MedalNames, 5> medals{{
    {Medal::none, "No medal", "none"},
    {Medal::bronze, "Bronze medal", "bronze"},
    {Medal::silver, "Silver medal", "silver"},
    {Medal::gold, "Gold medal", "gold"},
    {Medal::author, "Author medal", "author"},
}};

const MedalNames& namesOf(Medal medal)
{
    return medals.at(static_cast<std::size_t>(medal));
}

} // namespace

Medal medalFor(long long milliseconds)
{
    Medal earned = Medal::none;
    for (const MedalNames& each : medals) {
        if (const auto slowest = medalMilliseconds(each.medal);
            slowest && milliseconds <= *slowest) {
            earned = each.medal;
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
    return namesOf(medal).name;
}

const char* medalWord(Medal medal)
{
    return namesOf(medal).word;
}

std::optional<Medal> medalNamed(std::string_view word)
{
    for (const MedalNames& each : medals) {
        if (word == each.word) {
            return each.medal;
        }
    }
    return std::nullopt;
}
