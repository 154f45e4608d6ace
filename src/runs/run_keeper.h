#pragma once

#include "runs/run_recorder.h"

#include <filesystem>
#include <string>

struct PassInput;
struct PassResult;

// Records the run as the frame loop plays it and keeps it beside the best score: best.run each
// time an attempt sets a new best, last.run each time an attempt ends in an outcome, and when
// the loop ends. A file that cannot be written is one line on the error stream; play goes on.
class RunKeeper {
  public:
    explicit RunKeeper(const std::filesystem::path& scoreFile);

    // The clock's first sample, before the first pass; recording starts with it.
    void start(double sample) { recorder.start(sample); }

    // After a pass's update, with what it took in and what it did. Returns true when it saved
    // the run as the new best run, which the ghost then shows.
    bool passEnds(const PassInput& pass, const PassResult& result);

    void loopEnds();

    const RunRecording& run() const { return recorder.run(); }

  private:
    static void save(const std::filesystem::path& file, const std::string& text);

    RunRecorder recorder;
    const std::filesystem::path bestFile;
    const std::filesystem::path lastFile;
};
