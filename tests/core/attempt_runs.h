#pragma once

// Every attempt of a headless session as a run of its own, recorded from what each pass took
// in, as the game's keeper records it: from the snapshot the attempt started from to the
// restart that ended it, or to the session's end.

#include "runs/headless_game.h"
#include "runs/route.h"
#include "runs/run_recorder.h"

#include <vector>

// The run with the event added before this pass's events; the later passes' events move up one.
inline RunRecording withEventIn(RunRecording run, std::size_t pass, const InputEvent& event)
{
    run.events.insert(run.events.begin() + run.passes[pass].firstEvent, event);
    run.passes[pass].eventCount += 1;
    for (std::size_t i = pass + 1; i < run.passes.size(); ++i) {
        run.passes[i].firstEvent += 1;
    }
    return run;
}

struct AttemptRuns {
    std::vector<RunRecording> runs;

    void play(HeadlessGame& game, const Route& route, double frameTime, double until)
    {
        RunRecorder recorder;
        RunRecording current;
        bool started = false;
        AttemptEnd end;
        game.run(
            route, frameTime, until, [&](long, const PassInput& pass, const PassResult& result) {
                if (!started) {
                    recorder.start(current, game.session().attemptStart(), game.session().level());
                    started = true;
                }
                recorder.record(pass, result.footAfter);
                end = result.attempt;
                if (result.restarted) {
                    recorder.finish(end, game.session().stateChecksum());
                    runs.push_back(current);
                    recorder.start(current, game.session().attemptStart(), game.session().level());
                }
            });
        recorder.finish(end, game.session().stateChecksum());
        runs.push_back(current);
    }
};
