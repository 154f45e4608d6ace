#pragma once

#include "game/course_splits.h"
#include "game/medals.h"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How many winning runs the records keep.
inline constexpr std::size_t maxRecords = 10;

// One kept winning run.
struct RecordEntry {
    float time = 0.0f; // its play time, exact: what ranks it
    int score = 0;
    Medal medal = Medal::none;
    std::string when; // the local date and time of the win, "2026-12-09T15:13:36"
    std::string file; // its run's file name in the records folder
    SplitTimes splits;
};

// Where a run placed: its rank from 1 among how many the records then keep.
struct RecordPlace {
    std::size_t rank = 0;
    std::size_t of = 0;
};

// The fastest winning runs, fastest first; a run exactly as fast as a kept one places after it,
// as the earlier run set that time first.
class RecordTable {
  public:
    const std::vector<RecordEntry>& entries() const { return kept; }

    // Places a won run; none when it is not among the fastest. A run it pushes off the end is
    // named in dropped, so its file can go.
    std::optional<RecordPlace> place(RecordEntry entry, std::optional<std::string>& dropped);

    // The sum of best: for each stretch between splits, its fastest time in any kept run,
    // added up. None while some stretch was never timed.
    std::optional<double> sumOfBest() const;

    bool holds(std::string_view file) const;

  private:
    std::vector<RecordEntry> kept;
};

// The index: a version line, then a line a record, fastest first: TIME SCORE MEDAL WHEN FILE.
std::string recordIndexText(const RecordTable& table);

// Where the records are kept: a folder beside the best score, with the index in it.
std::filesystem::path recordsFolder(const std::filesystem::path& scoreFile);
std::filesystem::path recordIndexFile(const std::filesystem::path& folder);

// Whether a name is one the records folder keeps runs under: a plain file name ending in .run.
bool isRecordFileName(std::string_view name);

// Reads the table. A missing index is an empty table. Each index line, and each run it names,
// that cannot be used is one line on the error stream and is left out; the rest is kept. An
// index that is not one at all is one line too, and the table is made again from the won runs
// in the folder (dated by their names).
RecordTable loadRecords(const std::filesystem::path& folder, std::ostream& errors);

// The table for people: a line a record with its rank, then the sum of best.
void printRecords(std::ostream& out, const RecordTable& table);
