#include "runs/run_saver.h"

#include "game/file_replace.h"
#include "runs/record_table.h"
#include "runs/run_recorder.h"

#include <algorithm>

#include <ostream>

RunSaver::RunSaver(std::filesystem::path bestFile, std::filesystem::path lastFile,
                   std::filesystem::path recordsFolder, std::ostream& errors)
    : bestFile(std::move(bestFile)), lastFile(std::move(lastFile)),
      recordsFolder(std::move(recordsFolder)), errors(errors)
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

void RunSaver::save(RunRecording& run, bool asBest, const RecordWrite* record)
{
    const Slot slot = slotOf(run);
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (record != nullptr && recordsWaiting < pendingRecords.size()) {
            PendingRecord& pending = pendingRecords[recordsWaiting++];
            pending.slot = slot;
            pending.write = *record;
            ++holders[slot];
        }
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
    changed.wait(guard, [this] {
        return !writing && pendingBest == none && pendingLast == none && recordsWaiting == 0;
    });
}

// The best run first: it is the one a lost save would cost; then the records, oldest first. A
// run waiting for more than one file is written to each.
void RunSaver::writeLoop()
{
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        changed.wait(guard, [this] {
            return stopping || pendingBest != none || pendingLast != none || recordsWaiting > 0;
        });
        if (pendingBest == none && pendingLast == none && recordsWaiting == 0) {
            return;
        }
        const Slot slot = pendingBest != none  ? pendingBest
                          : recordsWaiting > 0 ? pendingRecords[0].slot
                                               : pendingLast;
        const bool best = pendingBest == slot;
        const bool last = pendingLast == slot;
        const bool record = recordsWaiting > 0 && pendingRecords[0].slot == slot;
        if (record) {
            std::swap(recordWritten, pendingRecords[0].write);
            std::rotate(pendingRecords.begin(), pendingRecords.begin() + 1, pendingRecords.end());
            --recordsWaiting;
        }
        const int holds = (best ? 1 : 0) + (last ? 1 : 0) + (record ? 1 : 0);
        pendingBest = best ? none : pendingBest;
        pendingLast = last ? none : pendingLast;
        holders[slot] -= holds - 1; // the writer's one hold stands in for the files'
        writing = true;
        guard.unlock();
        write(slot, best, last, record ? &recordWritten : nullptr);
        guard.lock();
        writing = false;
        release(slot);
        changed.notify_all();
    }
}

void RunSaver::write(Slot slot, bool best, bool last, const RecordWrite* record)
{
    writeRecordingText(text, runs[slot]);
    for (const auto& [wanted, file] : {std::pair{best, &bestFile}, std::pair{last, &lastFile}}) {
        if (wanted && !replaceFileWhole(*file, text)) {
            errors << "korvel: could not save the run in " << file->string() << std::endl;
        }
    }
    if (record != nullptr) {
        writeRecord(*record);
    }
}

// The run first, then the index that names it: a save cut short leaves the old index, whole,
// naming only runs that are there. The run that fell out of the table goes last.
void RunSaver::writeRecord(const RecordWrite& record)
{
    std::error_code status;
    std::filesystem::create_directories(recordsFolder, status);
    const std::filesystem::path runFile = recordsFolder / record.file;
    if (!replaceFileWhole(runFile, text)) {
        errors << "korvel: could not save the run in " << runFile.string() << std::endl;
        return;
    }
    const std::filesystem::path index = recordIndexFile(recordsFolder);
    if (!replaceFileWhole(index, record.index)) {
        errors << "korvel: could not save the records in " << index.string() << std::endl;
        return;
    }
    if (!record.dropped.empty()) {
        std::filesystem::remove(recordsFolder / record.dropped, status);
    }
}
