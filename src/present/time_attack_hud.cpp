#include "present/time_attack_hud.h"

#include "game/game_session.h"
#include "game/game_state.h"
#include "game/race_time.h"
#include "runs/run_keeper.h"

namespace {

HudSplit splitAgainst(const std::optional<float>& split, const std::optional<float>& best)
{
    HudSplit shown;
    if (split) {
        shown.taken = true;
        shown.milliseconds = raceMilliseconds(*split);
        if (best) {
            shown.compared = true;
            shown.difference = shown.milliseconds - raceMilliseconds(*best);
        }
    }
    return shown;
}

void addRecords(HudTimeAttack& hud, const RunKeeper& keeper)
{
    if (const std::optional<RecordPlace>& placed = keeper.placed()) {
        hud.placedAt = placed->rank;
        hud.placedOf = placed->of;
    }
    if (const std::optional<double> sum = keeper.records().sumOfBest()) {
        hud.sumOfBest = raceMilliseconds(static_cast<float>(*sum));
    }
    for (const RecordEntry& entry : keeper.records().entries()) {
        hud.records.at(hud.recordCount++) = {raceMilliseconds(entry.time), entry.medal};
    }
}

HudColour differenceColour(long long difference)
{
    return difference < 0   ? HudColour::ahead
           : difference > 0 ? HudColour::behind
                            : HudColour::white;
}

// "3  15.050" and, beside it, the difference in its colour.
void addSplitLine(std::vector<HudText>& texts, int number, const HudSplit& split, float scale,
                  float x, float y, float differenceAt)
{
    const std::string time = split.taken ? raceTimeText(split.milliseconds) : std::string("--");
    texts.push_back({std::to_string(number) + "  " + time, scale, x, y});
    if (split.compared) {
        texts.push_back({raceDifferenceText(split.difference), scale, x + differenceAt, y,
                         differenceColour(split.difference)});
    }
}

void addMedalLines(std::vector<HudText>& texts, long long time, float x, float& y)
{
    const Medal medal = medalFor(time);
    texts.push_back({medalName(medal), 0.4f, x, y, HudColour::highlight});
    y -= 23.0f;
    if (const std::optional<Medal> next = nextMedal(medal)) {
        texts.push_back({std::string("Next: ") + medalName(*next) + " at " +
                             raceTimeText(*medalMilliseconds(*next)),
                         0.4f, x, y});
        y -= 23.0f;
    }
}

void addWinScreen(std::vector<HudText>& texts, const HudTimeAttack& race, int centreX, int centreY)
{
    const auto at = [](int pixels) { return static_cast<float>(pixels); };
    const float left = at(centreX - 380);
    texts.push_back({"Time: " + raceTimeText(race.time), 0.5f, left, at(centreY - 120)});
    float y = at(centreY - 155);
    addMedalLines(texts, race.time, left, y);
    if (race.placedAt > 0) {
        texts.push_back(
            {"New record: " + ordinalText(race.placedAt) + " of " + std::to_string(race.placedOf),
             0.4f, left, y, HudColour::highlight});
    } else {
        texts.push_back({"Not in the records", 0.4f, left, y});
    }
    y -= 23.0f;
    if (race.sumOfBest) {
        texts.push_back({"Sum of best: " + raceTimeText(*race.sumOfBest), 0.4f, left, y});
    }
    y -= 32.0f;
    for (std::size_t index = 0; index < splitCount; ++index) {
        addSplitLine(texts, static_cast<int>(index) + 1, race.splits[index], 0.4f, left, y, 130.0f);
        y -= 21.0f;
    }
    const float right = at(centreX + 20);
    texts.push_back({"Records", 0.4f, right, at(centreY - 155)});
    for (std::size_t index = 0; index < race.recordCount; ++index) {
        const HudRecord& record = race.records[index];
        const std::string medal = record.medal == Medal::none ? "" : medalName(record.medal);
        texts.push_back(
            {std::to_string(index + 1) + "  " + raceTimeText(record.milliseconds) + "  " + medal,
             0.4f, right, at(centreY - 178) - 20.0f * static_cast<float>(index),
             index + 1 == race.placedAt ? HudColour::highlight : HudColour::white});
    }
}

} // namespace

HudTimeAttack timeAttackOf(const GameSession& session, const RunKeeper& keeper)
{
    HudTimeAttack hud;
    const BestRunTimes& best = keeper.attemptBest();
    hud.bestRun = best.exists;
    const SplitTimes& splits = session.splits().times();
    for (std::size_t index = 0; index < splitCount; ++index) {
        hud.splits[index] = splitAgainst(splits.at[index], best.splits.at[index]);
    }
    const int last = session.splits().lastTaken();
    const float playTime = session.attempt().playTime;
    if (last > 0 && attemptPlaying() &&
        playTime < *splits.at[static_cast<std::size_t>(last) - 1] + splitShownSeconds) {
        hud.splitShown = last;
    }
    if (outcome.won) {
        hud.time = raceMilliseconds(playTime);
        addRecords(hud, keeper);
    }
    return hud;
}

std::vector<HudText> layoutTimeAttack(const HudInputs& in)
{
    std::vector<HudText> texts;
    const HudTimeAttack& race = in.timeAttack;
    const bool playing = !in.dead && !in.timeUp && !in.won;
    if (playing && race.bestRun && race.splitShown > 0) {
        const HudSplit& split = race.splits.at(static_cast<std::size_t>(race.splitShown) - 1);
        addSplitLine(texts, race.splitShown, split, 0.5f, 25.0f,
                     static_cast<float>(in.height) - 95.0f, 160.0f);
        texts.front().text = "Split " + texts.front().text;
        if (texts.size() > 1) {
            texts.back().x += 50.0f;
        }
    }
    if (in.won) {
        addWinScreen(texts, race, in.width / 2, in.height / 2);
    }
    return texts;
}
