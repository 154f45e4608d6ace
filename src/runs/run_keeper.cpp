#include "runs/run_keeper.h"

#include "game/file_replace.h"
#include "game/game_session.h"

#include <iostream>

RunKeeper::RunKeeper(const std::filesystem::path& scoreFile)
    : bestFile(bestRunFile(scoreFile)), lastFile(lastRunFile(scoreFile))
{
}

bool RunKeeper::passEnds(const PassInput& pass, const PassResult& result)
{
    recorder.record(pass, result.footAfter);
    // A better score is already saved: the run that made it goes beside it. An attempt ends at
    // its outcome; one left by a restart is kept when the program ends, so a restart never
    // waits for a save.
    const bool newBest = result.newBest.has_value();
    const AttemptOutcome& ended = result.ended;
    if (newBest || ended.dead || ended.won || ended.timeUp) {
        const std::string text = recordingText(recorder.run());
        if (newBest) {
            save(bestFile, text);
        }
        save(lastFile, text);
    }
    if (result.restarted) {
        recorder.restart();
    }
    return newBest;
}

void RunKeeper::loopEnds()
{
    save(lastFile, recordingText(recorder.run()));
}

void RunKeeper::save(const std::filesystem::path& file, const std::string& text)
{
    if (!replaceFileWhole(file, text)) {
        std::cerr << "korvel: could not save the run in " << file.string() << std::endl;
    }
}
