#pragma once

#include <optional>
#include <string_view>

// The course's medals, from none to the author's.
enum class Medal { none, bronze, silver, gold, author };

// The author time: the best route the team made (routes/win.route, 35.633 s), rounded down to a
// tenth, so that earning it takes a run a little better than ours.
inline constexpr long long authorMilliseconds = 35600;

// The other medals follow from it as racing games derive them, each rounded up to a tenth:
// gold at 1.06 of the author time, silver at 1.2, bronze at 1.5.
constexpr long long medalFromAuthor(long long percent)
{
    return (authorMilliseconds * percent + 9999) / 10000 * 100;
}

// The slowest time, in milliseconds, that earns the medal (none for Medal::none).
constexpr std::optional<long long> medalMilliseconds(Medal medal)
{
    switch (medal) {
    case Medal::author:
        return authorMilliseconds;
    case Medal::gold:
        return medalFromAuthor(106);
    case Medal::silver:
        return medalFromAuthor(120);
    case Medal::bronze:
        return medalFromAuthor(150);
    case Medal::none:
        break;
    }
    return std::nullopt;
}

// The best medal a winning time earns.
Medal medalFor(long long milliseconds);

// The next medal up, none above the author's.
std::optional<Medal> nextMedal(Medal medal);

// As the win screen names it: "Author medal", "Gold medal", ..., "No medal".
const char* medalName(Medal medal);

// As the records' index keeps it: "author", "gold", "silver", "bronze", "none".
const char* medalWord(Medal medal);
std::optional<Medal> medalNamed(std::string_view word);
