#include "runs/run_keeper.h"

#include "game/game_session.h"

RunKeeper::RunKeeper(const std::filesystem::path& scoreFile, std::ostream& errors)
    : saver(bestRunFile(scoreFile), lastRunFile(scoreFile), errors), errors(errors)
{
}

void RunKeeper::start(const GameSession& session)
{
    beginRun(session);
}

void RunKeeper::beginRun(const GameSession& session)
{
    recorder.start(saver.freshRecording(), session.attemptStart(), session.level());
    making = true;
    setBest = false;
    ended = false;
    aftermathLeft = runAftermathSeconds;
    lastEnd = AttemptEnd{};
}

void RunKeeper::passEnds(const PassInput& pass, const PassResult& result, GameSession& session)
{
    if (making) {
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
        setBest = setBest || result.newBest.has_value();
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
    if (setBest && onNewBestRun) {
        onNewBestRun(run);
    }
    saver.save(run, setBest);
    making = false;
}
