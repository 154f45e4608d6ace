#include "runs/record_table.h"

#include "game/race_time.h"
#include "runs/run_recording.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>

namespace {

constexpr std::string_view indexMagic = "korvel-records 1";
// Far more than ten lines; a larger file is not an index.
constexpr std::size_t maxIndexBytes = 1 << 16;

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// "2026-12-09T15:13:36"
bool isWhen(std::string_view when)
{
    constexpr std::string_view shape = "dddd-dd-ddTdd:dd:dd";
    if (when.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(when[i])) != 0;
        if (shape[i] == 'd' ? !digit : when[i] != shape[i]) {
            return false;
        }
    }
    return true;
}

// The last line of a whole run is its end line; a run cut while it was written has none.
bool endsWithEndLine(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    const std::streamoff tail = std::min<std::streamoff>(size, 128);
    std::string text(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    in.read(text.data(), tail);
    if (!in || text.empty() || text.back() != '\n') {
        return false;
    }
    text.pop_back();
    const std::size_t lineStart = text.rfind('\n');
    return lineStart != std::string::npos && text.compare(lineStart + 1, 4, "end ") == 0;
}

// Why a line of the index cannot be used, or empty: it is read into entry.
std::string readIndexLine(const std::string& line, RecordEntry& entry)
{
    const std::vector<std::string> words = wordsOf(line);
    if (words.size() != 5) {
        return "a record takes 'TIME SCORE MEDAL WHEN FILE'";
    }
    const auto medal = medalNamed(words[2]);
    if (!medal) {
        return "'" + words[2] + "' is not a medal";
    }
    if (!isWhen(words[3])) {
        return "'" + words[3] + "' is not a date and time";
    }
    if (!isRecordFileName(words[4])) {
        return "'" + words[4] + "' is not a run of the records";
    }
    entry.medal = *medal;
    entry.when = words[3];
    entry.file = words[4];
    return {};
}

// Why the run of an index line cannot be kept, or empty: its header fills in the entry.
std::string readRecordRun(const std::filesystem::path& file, const std::vector<std::string>& words,
                          RecordEntry& entry)
{
    ParseError error;
    const std::optional<RunRecording> run = loadRecordingHeader(file, error);
    if (!run) {
        return file.string() + ":" + std::to_string(error.line) + ": " + error.message;
    }
    if (run->format < 2 || !run->end.outcome.won) {
        return file.string() + ": not a won attempt";
    }
    if (raceTimeText(raceMilliseconds(run->end.playTime)) != words[0] ||
        std::to_string(run->end.score) != words[1]) {
        return file.string() + ": its time and score are not the index's";
    }
    if (!endsWithEndLine(file)) {
        return file.string() + ": cut short";
    }
    entry.time = run->end.playTime;
    entry.score = run->end.score;
    entry.splits = run->end.splits;
    return {};
}

// The index's text; none when there is no index yet, or it is not one.
std::optional<std::string> readIndex(const std::filesystem::path& index, bool& damaged)
{
    std::error_code status;
    damaged = false;
    if (!std::filesystem::exists(index, status)) {
        return std::nullopt;
    }
    std::ifstream in;
    if (std::filesystem::is_regular_file(index, status)) {
        in.open(index, std::ios::binary);
    }
    std::string text(maxIndexBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    damaged = !in.is_open() || text.size() > maxIndexBytes ||
              text.compare(0, indexMagic.size() + 1, std::string(indexMagic) + "\n") != 0;
    return damaged ? std::nullopt : std::optional<std::string>(text);
}

// "20261209-151336.run" and "20261209-151336-2.run" were won on 2026-12-09 at 15:13:36.
std::string whenOfName(const std::string& name)
{
    constexpr const char* unknown = "0000-00-00T00:00:00";
    if (name.size() < 19 || name[8] != '-') {
        return unknown; // a run a player put there under a name of their own
    }
    const std::string when = name.substr(0, 4) + "-" + name.substr(4, 2) + "-" + name.substr(6, 2) +
                             "T" + name.substr(9, 2) + ":" + name.substr(11, 2) + ":" +
                             name.substr(13, 2);
    return isWhen(when) ? when : unknown;
}

// Without a usable index, the table is made again from the won runs in the folder.
RecordTable recordsOfRuns(const std::filesystem::path& folder)
{
    RecordTable table;
    std::error_code status;
    for (const auto& item : std::filesystem::directory_iterator(folder, status)) {
        const std::string name = item.path().filename().string();
        ParseError error;
        const std::optional<RunRecording> run =
            isRecordFileName(name) ? loadRecordingHeader(item.path(), error) : std::nullopt;
        if (!run || run->format < 2 || !run->end.outcome.won || !endsWithEndLine(item.path())) {
            continue;
        }
        RecordEntry entry{
            run->end.playTime, run->end.score, medalFor(raceMilliseconds(run->end.playTime)),
            whenOfName(name),  name,           run->end.splits};
        std::optional<std::string> dropped;
        table.place(std::move(entry), dropped);
    }
    return table;
}

} // namespace

bool isRecordFileName(std::string_view name)
{
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || c == '.';
    });
    return plain && name.size() > 4 && name.size() <= 64 && name.front() != '.' &&
           name.substr(name.size() - 4) == ".run";
}

std::optional<RecordPlace> RecordTable::place(RecordEntry entry,
                                              std::optional<std::string>& dropped)
{
    dropped.reset();
    const auto at = std::upper_bound(
        kept.begin(), kept.end(), entry.time,
        [](float time, const RecordEntry& keptEntry) { return time < keptEntry.time; });
    const auto rank = static_cast<std::size_t>(at - kept.begin());
    if (rank >= maxRecords) {
        return std::nullopt;
    }
    kept.insert(at, std::move(entry));
    if (kept.size() > maxRecords) {
        dropped = kept.back().file;
        kept.pop_back();
    }
    return RecordPlace{rank + 1, kept.size()};
}

std::optional<double> RecordTable::sumOfBest() const
{
    if (kept.empty()) {
        return std::nullopt;
    }
    double sum = 0.0;
    for (std::size_t segment = 0; segment < splitCount; ++segment) {
        std::optional<float> best;
        for (const RecordEntry& entry : kept) {
            const std::optional<float> time = segmentTime(entry.splits, segment);
            if (time && (!best || *time < *best)) {
                best = time;
            }
        }
        if (!best) {
            return std::nullopt;
        }
        sum += static_cast<double>(*best);
    }
    return sum;
}

bool RecordTable::holds(std::string_view file) const
{
    return std::any_of(kept.begin(), kept.end(),
                       [&](const RecordEntry& entry) { return entry.file == file; });
}

std::string recordIndexText(const RecordTable& table)
{
    std::string text = std::string(indexMagic) + "\n";
    for (const RecordEntry& entry : table.entries()) {
        text += raceTimeText(raceMilliseconds(entry.time)) + " " + std::to_string(entry.score) +
                " " + medalWord(entry.medal) + " " + entry.when + " " + entry.file + "\n";
    }
    return text;
}

std::filesystem::path recordsFolder(const std::filesystem::path& scoreFile)
{
    return scoreFile.parent_path() / "records";
}

std::filesystem::path recordIndexFile(const std::filesystem::path& folder)
{
    return folder / "records.txt";
}

RecordTable loadRecords(const std::filesystem::path& folder, std::ostream& errors)
{
    RecordTable table;
    const std::filesystem::path index = recordIndexFile(folder);
    bool damaged = false;
    const std::optional<std::string> text = readIndex(index, damaged);
    if (damaged) {
        errors << "korvel: " << index.string()
               << ": not a records index; the records are read again from their runs" << std::endl;
        return recordsOfRuns(folder);
    }
    if (!text) {
        return table;
    }
    std::istringstream lines(*text);
    std::string line;
    int number = 0;
    const auto leaveOut = [&](const std::string& why) {
        errors << "korvel: " << why << "; the record is left out" << std::endl;
    };
    while (std::getline(lines, line)) {
        ++number;
        const std::string where = index.string() + ":" + std::to_string(number) + ": ";
        if (number == 1 || wordsOf(line).empty()) { // the version line was checked above
            continue;
        }
        RecordEntry entry;
        std::string why = readIndexLine(line, entry);
        if (why.empty() && table.holds(entry.file)) {
            why = "'" + entry.file + "' is named twice";
        }
        if (!why.empty()) {
            leaveOut(where + why);
        } else if (why = readRecordRun(folder / entry.file, wordsOf(line), entry); !why.empty()) {
            leaveOut(why);
        } else {
            std::optional<std::string> dropped;
            table.place(std::move(entry), dropped);
        }
    }
    return table;
}

void printRecords(std::ostream& out, const RecordTable& table)
{
    if (table.entries().empty()) {
        out << "no records yet" << std::endl;
        return;
    }
    std::size_t rank = 0;
    for (const RecordEntry& entry : table.entries()) {
        char line[160];
        std::snprintf(line, sizeof line, "%2zu  %8s  %3d  %-12s  %s  %s", ++rank,
                      raceTimeText(raceMilliseconds(entry.time)).c_str(), entry.score,
                      medalName(entry.medal), entry.when.c_str(), entry.file.c_str());
        out << line << "\n";
    }
    const std::optional<double> sum = table.sumOfBest();
    out << "sum of best: "
        << (sum ? raceTimeText(raceMilliseconds(static_cast<float>(*sum))) : std::string("unknown"))
        << std::endl;
}
