#pragma once

#include "runs/record_table.h"
#include "runs/run_recorder.h"
#include "runs/run_saver.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

class GameSession;
struct PassInput;
struct PassResult;

// How long a run goes on after its attempt's outcome, in frame time: the fall, the victory
// circle's first turn, what a player watching it again wants to see.
inline constexpr float runAftermathSeconds = 2.0f;

// The best run's times, which an attempt's splits are compared against.
struct BestRunTimes {
    bool exists = false;       // a best run is kept
    std::optional<float> time; // its play time, when its file says (format 2 on)
    SplitTimes splits;         // its splits; a format 2 run has only the last, its time
};

// The times of the best run kept in the file; none for a missing or damaged file.
BestRunTimes bestRunTimes(const std::filesystem::path& file);

// Makes a run of each attempt as the frame loop plays it, and keeps it beside the best score:
// every run as last.run; a won run faster than best.run's, or one that set a new best score, as
// best.run too; and each won run that places among the records in the records folder. A run is
// sealed at its outcome plus the aftermath, at a restart or when the loop ends, whichever comes
// first, and saved on the saver's thread.
class RunKeeper {
  public:
    explicit RunKeeper(const std::filesystem::path& scoreFile, std::ostream& errors = std::cerr);

    // Told of each run that became the best run, as it is sealed and before it is saved.
    std::function<void(const RunRecording&)> onNewBestRun;
    // The wall clock a record's date and file name are taken from.
    std::function<std::time_t()> wallClock = [] { return std::time(nullptr); };

    // The session has started its first attempt.
    void start(const GameSession& session);

    // After a pass's update, with what it took in and what it did.
    void passEnds(const PassInput& pass, const PassResult& result, GameSession& session);

    // The attempt in play is kept as the last run, and every save is finished: at the loop's
    // end, and as the replay viewer opens, which may then read last.run.
    void loopEnds(GameSession& session);

    // A watched run is taken over after its first passes: a practice run begins with its
    // snapshot and those passes, and the live passes follow. It is kept as the last run only.
    void takeOver(const RunRecording& watched, long passes);
    // The run being made is practice.
    bool practising() const { return making && practice; }

    // The best run the attempt in play is compared against: the one kept when it started.
    const BestRunTimes& attemptBest() const { return bestAtStart; }
    // Where the attempt's win placed among the records; none before a win or when it did not.
    const std::optional<RecordPlace>& placed() const { return place; }
    const RecordTable& records() const { return table; }

  private:
    void beginRun(const GameSession& session);
    void resetRun();
    void seal(GameSession& session);
    void recordWin(const PassResult& result);
    std::string freshRecordName(std::time_t when) const;

    const std::filesystem::path folder; // the records'
    RunSaver saver;
    std::ostream& errors;
    RunRecorder recorder;
    RecordTable table;
    BestRunTimes best;        // of best.run as it stands
    BestRunTimes bestAtStart; // of best.run when the attempt in play started
    bool making = false;      // a run is being made (not yet sealed)
    bool setBest = false;     // it becomes best.run
    bool ended = false;       // its attempt reached an outcome
    bool practice = false;    // taken over from a watched run
    float aftermathLeft = 0.0f;
    AttemptEnd lastEnd; // how the attempt stood after the run's last pass
    std::optional<RecordPlace> place;
    RecordWrite record; // the win's, written with its run
    bool toldFull = false;
};
