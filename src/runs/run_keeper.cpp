#include "runs/run_keeper.h"

#include "game/game_session.h"
#include "game/pass_input.h"
#include "game/race_time.h"

#include <algorithm>
#include <cstdio>

BestRunTimes bestRunTimes(const std::filesystem::path& file)
{
    BestRunTimes times;
    ParseError error;
    const std::optional<RunRecording> run = loadRecordingHeader(file, error);
    if (!run) {
        return times; // the ghost's loader names a damaged file
    }
    times.exists = true;
    if (run->format >= 2 && run->end.outcome.won) {
        times.time = run->end.playTime;
        times.splits = run->end.splits;
        times.splits.at[splitCount - 1] = run->end.playTime;
    }
    return times;
}

RunKeeper::RunKeeper(const std::filesystem::path& scoreFile, std::ostream& errors)
    : folder(recordsFolder(scoreFile)),
      saver(bestRunFile(scoreFile), lastRunFile(scoreFile), folder, errors), errors(errors),
      table(loadRecords(folder, errors)), best(bestRunTimes(bestRunFile(scoreFile)))
{
}

void RunKeeper::start(const GameSession& session)
{
    beginRun(session);
}

void RunKeeper::beginRun(const GameSession& session)
{
    recorder.start(saver.freshRecording(), session.attemptStart(), session.level());
    resetRun();
}

void RunKeeper::takeOver(const RunRecording& watched, long passes)
{
    if (making) { // the viewer keeps the attempt it opened over; none is left here
        saver.discard(*recorder.run());
    }
    recorder.start(saver.freshRecording(), watched.snapshot, watched.level);
    recorder.recordPassesOf(watched, static_cast<std::size_t>(std::max(passes, 0L)));
    recorder.run()->practice = true;
    resetRun();
    practice = true;
}

void RunKeeper::resetRun()
{
    making = true;
    practice = false;
    setBest = false;
    ended = false;
    aftermathLeft = runAftermathSeconds;
    lastEnd = AttemptEnd{};
    bestAtStart = best;
    place.reset();
}

void RunKeeper::passEnds(const PassInput& pass, const PassResult& result, GameSession& session)
{
    // A pass of a pause that heard nothing leaves the state as it found it, so the run leaves
    // it out: a pause of an hour costs the run nothing.
    const bool idle = result.frozen && pass.events.empty() && !pass.cursorRead;
    if (making && !idle) {
        if (!recorder.record(pass, result.footAfter)) {
            if (!toldFull) {
                errors << "korvel: the attempt is too long to keep as a run" << std::endl;
                toldFull = true;
            }
            saver.discard(*recorder.run());
            making = false;
        }
    }
    if (making) {
        lastEnd = result.attempt;
        // Practice is played from a watched run's middle: never a record or the best run.
        setBest = !practice && (setBest || result.newBest.has_value());
        if (result.ended.won && !practice) {
            recordWin(result);
        }
        const AttemptOutcome& reached = result.attempt.outcome;
        if (ended) {
            aftermathLeft -= session.deltaTime();
        }
        ended = ended || reached.dead || reached.won || reached.timeUp;
        if (result.restarted || (ended && aftermathLeft <= 0.0f)) {
            seal(session);
        }
    }
    if (result.restarted) {
        beginRun(session);
    }
}

// In the pass of the win, so the win screen shows where it placed from its first frame; its run
// is written once sealed.
void RunKeeper::recordWin(const PassResult& result)
{
    const float time = result.attempt.playTime;
    setBest = setBest || !best.exists || (best.time && time < *best.time);
    const std::time_t now = wallClock();
    RecordEntry entry;
    entry.time = time;
    entry.score = result.attempt.score;
    entry.medal = medalFor(raceMilliseconds(time));
    std::tm local{};
    localtime_r(&now, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
    entry.when = when;
    entry.file = freshRecordName(now);
    entry.splits = result.attempt.splits;
    record.file = entry.file;
    std::optional<std::string> dropped;
    place = table.place(std::move(entry), dropped);
    record.dropped = dropped.value_or("");
    record.index = recordIndexText(table);
}

// The win's date and time, made unique among the kept runs and the folder's files.
std::string RunKeeper::freshRecordName(std::time_t when) const
{
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int count = 1;; ++count) {
        const std::string name =
            std::string(stamp) + (count > 1 ? "-" + std::to_string(count) : "") + ".run";
        std::error_code status;
        if (!table.holds(name) && !std::filesystem::exists(folder / name, status)) {
            return name;
        }
    }
}

void RunKeeper::loopEnds(GameSession& session)
{
    if (making) {
        seal(session);
    }
    saver.flush();
}

void RunKeeper::seal(GameSession& session)
{
    recorder.finish(lastEnd, session.stateChecksum());
    RunRecording& run = *recorder.run();
    if (setBest) {
        best.exists = true;
        best.time = run.end.playTime;
        best.splits = run.end.splits;
        if (onNewBestRun) {
            onNewBestRun(run);
        }
    }
    saver.save(run, setBest, place ? &record : nullptr);
    making = false;
}
