#pragma once

#include "runs/run_recording.h"

#include <array>
#include <condition_variable>
#include <filesystem>
#include <iosfwd>
#include <mutex>
#include <string>
#include <thread>

// A winning run kept in the records: its file name in the records folder, the index that lists
// it, and the file of a run it pushed out of the table (empty for none).
struct RecordWrite {
    std::string file;
    std::string index;
    std::string dropped;
};

// Saves runs on a thread of its own, so the frame that ends an attempt never waits for a file.
// It owns the recordings runs are made in: a few, each with room for the longest run, handed
// out and taken back, so neither a pass nor a save allocates as the session grows. A newer last
// run replaces one not yet written, and so does a newer best run: only the newest of each is
// worth a file. A file that cannot be written is one line on the error stream; play goes on.
class RunSaver {
  public:
    RunSaver(std::filesystem::path bestFile, std::filesystem::path lastFile,
             std::filesystem::path recordsFolder, std::ostream& errors);
    ~RunSaver(); // writes what it was handed, then stops
    RunSaver(const RunSaver&) = delete;
    RunSaver& operator=(const RunSaver&) = delete;

    // A recording to make a run in; it stays the caller's until handed to save(). There is
    // always one free: at most one is written and two wait while one is being made.
    RunRecording& freshRecording();

    // Hands a sealed run over: it becomes last.run, and best.run too when asked. A record is
    // written into the records folder and then its index, each whole, in the order they came:
    // a record is never dropped for a newer one, as the newer index lists both. Returns at once.
    void save(RunRecording& run, bool asBest, const RecordWrite* record = nullptr);

    // Gives back a recording without saving it.
    void discard(RunRecording& run);

    // Returns once every run handed over is written (or has failed to be).
    void flush();

  private:
    static constexpr std::size_t recordings = 4;
    using Slot = std::size_t;
    static constexpr Slot none = recordings;

    Slot slotOf(const RunRecording& run) const;
    void release(Slot slot);
    void writeLoop();
    void write(Slot slot, bool best, bool last, const RecordWrite* record);
    void writeRecord(const RecordWrite& record);

    struct PendingRecord {
        Slot slot = none;
        RecordWrite write;
    };

    const std::filesystem::path bestFile;
    const std::filesystem::path lastFile;
    const std::filesystem::path recordsFolder;
    std::ostream& errors;
    std::array<RunRecording, recordings> runs;
    std::array<int, recordings> holders{}; // who holds each: the maker, a waiting file, the writer
    Slot pendingBest = none;
    Slot pendingLast = none;
    // Records in the order they came; each holds its recording. Never more than the slots.
    std::array<PendingRecord, recordings> pendingRecords;
    std::size_t recordsWaiting = 0;
    RecordWrite recordWritten; // the writer's, kept for its room
    bool writing = false;
    bool stopping = false;
    std::string text; // the writer's, kept for its room
    std::mutex lock;
    std::condition_variable changed;
    std::thread writer;
};
