#include "runs/run_saver.h"

#include "game/file_replace.h"
#include "runs/run_recorder.h"

#include <ostream>

RunSaver::RunSaver(std::filesystem::path bestFile, std::filesystem::path lastFile,
                   std::ostream& errors)
    : bestFile(std::move(bestFile)), lastFile(std::move(lastFile)), errors(errors)
{
    for (RunRecording& run : runs) {
        reserveRunRoom(run);
    }
    writer = std::thread([this] { writeLoop(); });
}

RunSaver::~RunSaver()
{
    flush();
    {
        const std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    changed.notify_all();
    writer.join();
}

RunSaver::Slot RunSaver::slotOf(const RunRecording& run) const
{
    return static_cast<Slot>(&run - runs.data());
}

void RunSaver::release(Slot slot)
{
    if (slot != none) {
        --holders[slot];
    }
}

RunRecording& RunSaver::freshRecording()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        for (Slot slot = 0; slot < recordings; ++slot) {
            if (holders[slot] == 0) {
                holders[slot] = 1;
                return runs[slot];
            }
        }
        changed.wait(guard); // never reached while the maker holds at most one
    }
}

void RunSaver::save(RunRecording& run, bool asBest)
{
    const Slot slot = slotOf(run);
    {
        const std::lock_guard<std::mutex> guard(lock);
        release(pendingLast);
        pendingLast = slot;
        if (asBest) {
            release(pendingBest);
            pendingBest = slot;
            ++holders[slot]; // the maker's hold passes to last.run; best.run holds it too
        }
    }
    changed.notify_all();
}

void RunSaver::discard(RunRecording& run)
{
    {
        const std::lock_guard<std::mutex> guard(lock);
        release(slotOf(run));
    }
    changed.notify_all();
}

void RunSaver::flush()
{
    std::unique_lock<std::mutex> guard(lock);
    changed.wait(guard, [this] { return !writing && pendingBest == none && pendingLast == none; });
}

// The best run first: it is the one a lost save would cost. A run waiting for both files is
// written to both.
void RunSaver::writeLoop()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard,
                     [this] { return stopping || pendingBest != none || pendingLast != none; });
        if (pendingBest == none && pendingLast == none) {
            return;
        }
        const Slot slot = pendingBest != none ? pendingBest : pendingLast;
        const bool best = pendingBest == slot;
        const bool last = pendingLast == slot;
        const int holds = (best ? 1 : 0) + (last ? 1 : 0);
        pendingBest = best ? none : pendingBest;
        pendingLast = last ? none : pendingLast;
        holders[slot] -= holds - 1; // the writer's one hold stands in for the files'
        writing = true;
        guard.unlock();
        write(slot, best, last);
        guard.lock();
        writing = false;
        release(slot);
        changed.notify_all();
    }
}

void RunSaver::write(Slot slot, bool best, bool last)
{
    writeRecordingText(text, runs[slot]);
    for (const auto& [wanted, file] : {std::pair{best, &bestFile}, std::pair{last, &lastFile}}) {
        if (wanted && !replaceFileWhole(*file, text)) {
            errors << "korvel: could not save the run in " << file->string() << std::endl;
        }
    }
}
