#include "runs/run_recording.h"

#include "game/key_names.h"
#include "game/snapshot_lines.h"

#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view magic = "korvel-run";

const char* buttonName(MouseButton button)
{
    return button == MouseButton::left ? "left" : button == MouseButton::right ? "right" : "other";
}

std::optional<MouseButton> buttonNamed(std::string_view name)
{
    for (MouseButton button : {MouseButton::left, MouseButton::right, MouseButton::other}) {
        if (name == buttonName(button)) {
            return button;
        }
    }
    return std::nullopt;
}

// Appends a double in hexadecimal: read back by strtod, it gives the very same bits.
void appendNumber(std::string& text, double value)
{
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, " %a", value);
    text.append(buffer, static_cast<std::size_t>(length));
}

void appendEvent(std::string& text, const InputEvent& event)
{
    switch (event.kind) {
    case InputEvent::Kind::key:
        text += "k " + keyName(event.key) + " " + actionName(event.action);
        text += event.source == KeySource::pad ? " pad\n" : "\n";
        break;
    case InputEvent::Kind::button:
        text +=
            std::string("b ") + buttonName(event.button) + " " + actionName(event.action) + "\n";
        break;
    case InputEvent::Kind::scroll:
        text += "s";
        appendNumber(text, event.scroll);
        text += "\n";
        break;
    case InputEvent::Kind::focusLost:
        text += "f lost\n";
        break;
    }
}

void appendPass(std::string& text, const RunRecording& recording, const RecordedPass& pass)
{
    text += "p";
    for (double value :
         {pass.drawSample, pass.updateSample, pass.foot.x, pass.foot.y, pass.foot.z}) {
        appendNumber(text, value);
    }
    text += "\n";
    for (std::uint32_t i = 0; i < pass.eventCount; ++i) {
        appendEvent(text, recording.events[pass.firstEvent + i]);
    }
    if (pass.cursorRead) {
        text += "c " + std::to_string(pass.cursorX) + " " + std::to_string(pass.cursorY) + "\n";
    }
}

void appendValue(std::string& text, const SnapshotValue& value)
{
    char buffer[48];
    int length = 0;
    switch (value.kind) {
    case SnapshotValue::Kind::real32:
        length = std::snprintf(buffer, sizeof buffer, " %a",
                               static_cast<double>(*static_cast<const float*>(value.at)));
        break;
    case SnapshotValue::Kind::real64:
        length = std::snprintf(buffer, sizeof buffer, " %a", *static_cast<const double*>(value.at));
        break;
    case SnapshotValue::Kind::int32:
        length = std::snprintf(buffer, sizeof buffer, " %d",
                               static_cast<int>(*static_cast<const std::int32_t*>(value.at)));
        break;
    case SnapshotValue::Kind::byte:
        length = std::snprintf(buffer, sizeof buffer, " %u",
                               static_cast<unsigned>(*static_cast<const std::uint8_t*>(value.at)));
        break;
    case SnapshotValue::Kind::flag:
        length = std::snprintf(buffer, sizeof buffer, " %d", *static_cast<const bool*>(value.at));
        break;
    case SnapshotValue::Kind::count:
        length = std::snprintf(
            buffer, sizeof buffer, " %llu",
            static_cast<unsigned long long>(*static_cast<const std::uint64_t*>(value.at)));
        break;
    }
    text.append(buffer, static_cast<std::size_t>(length));
}

void appendAttemptHeader(std::string& text, const RunRecording& recording)
{
    text += "level " + hexWord(recording.level) + "\n";
    text += std::string("outcome ") + outcomeWord(recording.end.outcome) + "\n";
    char decimal[32];
    std::snprintf(decimal, sizeof decimal, "%.9g", static_cast<double>(recording.end.playTime));
    text += "time " + floatBitsWord(recording.end.playTime) + " " + decimal + "\n";
    text += "score " + std::to_string(recording.end.score) + "\n";
    if (recording.format >= practiceFormat) {
        text += std::string("practice ") + (recording.practice ? "yes" : "no") + "\n";
    }
    if (recording.format >= 3) {
        for (std::size_t index = 0; index < splitCount; ++index) {
            if (const std::optional<float> split = recording.end.splits.at[index]) {
                std::snprintf(decimal, sizeof decimal, "%.9g", static_cast<double>(*split));
                text += "split " + std::to_string(index + 1) + " " + floatBitsWord(*split) + " " +
                        decimal + "\n";
            }
        }
    }
    // The writer only reads the snapshot; the visit hands out its values by address.
    auto& snapshot = const_cast<AttemptSnapshot&>(recording.snapshot);
    forEachSnapshotLine(snapshot, [&](std::string_view name, std::span<SnapshotValue> values) {
        text += name;
        for (const SnapshotValue& value : values) {
            appendValue(text, value);
        }
        text += "\n";
    });
}

} // namespace

std::string recordingBuild()
{
    return "korvel " KORVEL_VERSION_TEXT;
}

std::string hexWord(std::uint64_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

void writeRecordingText(std::string& text, const RunRecording& recording)
{
    text.clear();
    text += std::string(magic) + " " + std::to_string(recording.format) + "\n";
    text += "build " + recording.build + "\n";
    if (recording.format == 1) {
        text += "attempt " + std::to_string(recording.attemptStart) + "\n";
        text += "start";
        appendNumber(text, recording.startSample);
        text += "\n";
    } else {
        appendAttemptHeader(text, recording);
    }
    text.reserve(text.size() + recording.passes.size() * 120 + recording.events.size() * 16);
    for (const RecordedPass& pass : recording.passes) {
        appendPass(text, recording, pass);
    }
    text += "end " + std::to_string(recording.passes.size());
    text += recording.format == 1 ? "\n" : " " + hexWord(recording.checksum) + "\n";
}

std::string floatBitsWord(float value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08x", std::bit_cast<std::uint32_t>(value));
    return buffer;
}

std::string recordingText(const RunRecording& recording)
{
    std::string text;
    writeRecordingText(text, recording);
    return text;
}

std::filesystem::path bestRunFile(const std::filesystem::path& scoreFile)
{
    return scoreFile.parent_path() / "best.run";
}

std::filesystem::path lastRunFile(const std::filesystem::path& scoreFile)
{
    return scoreFile.parent_path() / "last.run";
}

bool looksLikeRecording(const std::string& text)
{
    return text.compare(0, magic.size() + 1, std::string(magic) + " ") == 0;
}

namespace {

// Only a plain file is read, as for the score: a pipe in its place could block start-up.
bool openRecording(const std::filesystem::path& file, std::ifstream& in, ParseError& error)
{
    std::error_code status;
    if (std::filesystem::is_regular_file(file, status)) {
        in.open(file, std::ios::binary);
    }
    if (!in) {
        error = {0, "cannot read " + file.string()};
    }
    return static_cast<bool>(in);
}

} // namespace

std::optional<RunRecording> loadRecording(const std::filesystem::path& file, ParseError& error)
{
    std::ifstream in;
    if (!openRecording(file, in, error)) {
        return std::nullopt;
    }
    std::error_code status;
    const std::uintmax_t size = std::filesystem::file_size(file, status);
    if (status || size > maxRecordingBytes) {
        error = {0, file.string() + " is larger than any recording"};
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseRecording(text, error);
}

namespace {

// Reads a recording line by line; each step refuses the line it stands on.
class RecordingParser {
  public:
    RecordingParser(const std::string& text, ParseError& error) : all(text), error(error) {}

    std::optional<RunRecording> parse(bool headerOnly);

  private:
    bool refuse(const std::string& why)
    {
        error = {number, why};
        return false;
    }
    bool nextLine();
    bool expectLine(std::string_view name, std::size_t valueCount);
    bool readFormat();
    bool readFirstHeader();
    bool readAttemptHeader();
    bool readPractice();
    bool readSplits();
    bool readSnapshot();
    bool readValue(std::size_t index, const SnapshotValue& value);
    bool readBody();
    bool readPass();
    bool readEvent(InputEvent event);
    bool readCursor();
    bool readEnd();
    bool real(std::size_t index, double& value);
    bool whole(std::size_t index, long low, long high, long& value);
    bool hex(std::size_t index, int digits, std::uint64_t& value);

    std::string_view all;
    std::size_t at = 0;
    ParseError& error;
    RunRecording recording;
    std::vector<std::string_view> words;
    int number = 0;
    bool ended = false;
};

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t begin = line.find_first_not_of(" \t\r", at);
        if (begin == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(line.find_first_of(" \t\r", begin), line.size());
        words.push_back(line.substr(begin, end - begin));
        at = end;
    }
    return words;
}

// The next line's words; false at the end of the text.
bool RecordingParser::nextLine()
{
    if (at >= all.size()) {
        return false;
    }
    const std::size_t newline = std::min(all.find('\n', at), all.size());
    words = splitWords(all.substr(at, newline - at));
    at = newline + 1;
    ++number;
    return true;
}

// A header line: its name and exactly this many values after it.
bool RecordingParser::expectLine(std::string_view name, std::size_t valueCount)
{
    if (!nextLine()) {
        ++number;
        return refuse("the header is cut short");
    }
    if (words.empty() || words[0] != name) {
        return refuse("expected '" + std::string(name) + "'");
    }
    return words.size() == valueCount + 1 ||
           refuse("'" + std::string(name) + "' takes " + std::to_string(valueCount) + " values");
}

bool RecordingParser::real(std::size_t index, double& value)
{
    const std::string word(words[index]);
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return (!word.empty() && end == word.c_str() + word.size() && std::isfinite(value)) ||
           refuse("'" + word + "' is not a finite number");
}

bool RecordingParser::whole(std::size_t index, long low, long high, long& value)
{
    const std::string word(words[index]);
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, 10);
    const bool read = !word.empty() && end == word.c_str() + word.size() && errno == 0;
    return (read && value >= low && value <= high) ||
           refuse("'" + word + "' is not a whole number from " + std::to_string(low) + " to " +
                  std::to_string(high));
}

bool RecordingParser::hex(std::size_t index, int digits, std::uint64_t& value)
{
    const std::string_view word = words[index];
    const bool shaped = word.size() == static_cast<std::size_t>(digits) &&
                        word.find_first_not_of("0123456789abcdef") == std::string_view::npos;
    if (!shaped) {
        return refuse("'" + std::string(word) + "' is not " + std::to_string(digits) +
                      " hexadecimal digits");
    }
    value = std::strtoull(std::string(word).c_str(), nullptr, 16);
    return true;
}

bool RecordingParser::readFormat()
{
    if (!nextLine()) {
        ++number;
        return refuse("the header is cut short");
    }
    if (words.empty() || words[0] != magic) {
        return refuse("expected '" + std::string(magic) + "'");
    }
    long value = 0;
    if (words.size() != 2) {
        return refuse("expected 'korvel-run VERSION'");
    }
    if (!whole(1, 0, INT_MAX, value)) {
        return false;
    }
    if (value < 1 || value > recordingFormat) {
        return refuse("recorded in format " + std::to_string(value) +
                      "; this build reads formats 1 to " + std::to_string(recordingFormat));
    }
    recording.format = static_cast<int>(value);
    if (!nextLine()) {
        ++number;
        return refuse("the header is cut short");
    }
    if (words.empty() || words[0] != "build") {
        return refuse("expected 'build'");
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
        recording.build += (i > 1 ? " " : "") + std::string(words[i]);
    }
    return true;
}

// Format 1: the attempt kept and the first clock sample.
bool RecordingParser::readFirstHeader()
{
    return expectLine("attempt", 1) && whole(1, 0, LONG_MAX, recording.attemptStart) &&
           expectLine("start", 1) && real(1, recording.startSample);
}

// Format 2: the course, the attempt's outcome, play time and score, then its snapshot.
bool RecordingParser::readAttemptHeader()
{
    if (!expectLine("level", 1) || !hex(1, 16, recording.level) || !expectLine("outcome", 1)) {
        return false;
    }
    AttemptOutcome& outcome = recording.end.outcome;
    const std::string_view word = words[1];
    outcome = {word == "dead", word == "won", word == "timeup"};
    if (outcomeWord(outcome) != word) {
        return refuse("'" + std::string(word) + "' is not won, dead, timeup or playing");
    }
    std::uint64_t bits = 0;
    long score = 0;
    if (!expectLine("time", 2) || !hex(1, 8, bits) || !expectLine("score", 1) ||
        !whole(1, 0, INT_MAX, score)) {
        return false;
    }
    const auto timeBits = static_cast<std::uint32_t>(bits);
    recording.end.playTime = std::bit_cast<float>(timeBits);
    recording.end.score = static_cast<int>(score);
    return (recording.format < practiceFormat || readPractice()) &&
           (recording.format < 3 || readSplits()) && readSnapshot();
}

// Format 5: whether the run was taken over from a watched one.
bool RecordingParser::readPractice()
{
    if (!expectLine("practice", 1)) {
        return false;
    }
    if (words[1] != "yes" && words[1] != "no") {
        return refuse("'practice' takes yes or no");
    }
    recording.practice = words[1] == "yes";
    return true;
}

// Format 3: a line for each split the attempt took, in the course's order.
bool RecordingParser::readSplits()
{
    long previous = 0;
    for (;;) {
        const std::size_t lineStart = at;
        const int lineNumber = number;
        if (!nextLine() || words.empty() || words[0] != "split") {
            at = lineStart; // the snapshot's first line: read again there
            number = lineNumber;
            return true;
        }
        long index = 0;
        std::uint64_t bits = 0;
        if (words.size() != 4) {
            return refuse("'split' takes 3 values");
        }
        if (!whole(1, 1, static_cast<long>(splitCount), index) || !hex(2, 8, bits)) {
            return false;
        }
        if (index <= previous) {
            return refuse("split " + std::to_string(index) + " stands after split " +
                          std::to_string(previous));
        }
        const float time = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (!std::isfinite(time) || time < 0.0f) {
            return refuse("split " + std::to_string(index) + " is not a play time");
        }
        recording.end.splits.at[static_cast<std::size_t>(index) - 1] = time;
        previous = index;
    }
}

bool RecordingParser::readValue(std::size_t index, const SnapshotValue& value)
{
    using Kind = SnapshotValue::Kind;
    double number = 0.0;
    long integer = 0;
    switch (value.kind) {
    case Kind::real32:
        if (!real(index, number)) {
            return false;
        }
        *static_cast<float*>(value.at) = static_cast<float>(number);
        return static_cast<double>(static_cast<float>(number)) == number ||
               refuse("'" + std::string(words[index]) + "' is not a single float");
    case Kind::real64:
        return real(index, *static_cast<double*>(value.at));
    case Kind::int32:
        return whole(index, INT32_MIN, INT32_MAX, integer) &&
               (*static_cast<std::int32_t*>(value.at) = static_cast<std::int32_t>(integer), true);
    case Kind::byte:
        return whole(index, 0, 255, integer) &&
               (*static_cast<std::uint8_t*>(value.at) = static_cast<std::uint8_t>(integer), true);
    case Kind::flag:
        return whole(index, 0, 1, integer) && (*static_cast<bool*>(value.at) = integer == 1, true);
    case Kind::count:
        return whole(index, 0, LONG_MAX, integer) &&
               (*static_cast<std::uint64_t*>(value.at) = static_cast<std::uint64_t>(integer), true);
    }
    return false;
}

bool RecordingParser::readSnapshot()
{
    bool read = true;
    forEachSnapshotLine(
        recording.snapshot, [&](std::string_view name, std::span<SnapshotValue> values) {
            if (!read) {
                return;
            }
            read = expectLine(name, values.size());
            for (std::size_t i = 0; read && i < values.size(); ++i) {
                read = readValue(i + 1, values[i]);
            }
            if (read && name == "bodies" &&
                *static_cast<std::uint64_t*>(values[0].at) > maxSnapshotBodies) {
                read = refuse("more than " + std::to_string(maxSnapshotBodies) + " bodies");
            }
        });
    return read;
}

bool RecordingParser::readPass()
{
    if (words.size() != 6) {
        return refuse("a pass takes 'p DRAW UPDATE X Y Z'");
    }
    RecordedPass pass;
    pass.firstEvent = static_cast<std::uint32_t>(recording.events.size());
    if (!real(1, pass.drawSample) || !real(2, pass.updateSample) || !real(3, pass.foot.x) ||
        !real(4, pass.foot.y) || !real(5, pass.foot.z)) {
        return false;
    }
    recording.passes.push_back(pass);
    return true;
}

bool RecordingParser::readEvent(InputEvent event)
{
    const std::size_t count = words.size();
    if (event.kind == InputEvent::Kind::key) {
        const Key key = count >= 3 ? keyNamed(words[1]) : Key::other;
        const auto action = count >= 3 ? actionNamed(words[2]) : std::nullopt;
        if (key == Key::other || !action || count > 4 || (count == 4 && words[3] != "pad")) {
            return refuse("a key takes 'k KEY press|release|repeat [pad]'");
        }
        event.key = key;
        event.action = *action;
        event.source = count == 4 ? KeySource::pad : KeySource::keyboard;
    } else if (event.kind == InputEvent::Kind::button) {
        const auto button = count == 3 ? buttonNamed(words[1]) : std::nullopt;
        const auto action = count == 3 ? actionNamed(words[2]) : std::nullopt;
        if (!button || !action) {
            return refuse("a button takes 'b left|right|other press|release|repeat'");
        }
        event.button = *button;
        event.action = *action;
    } else if (event.kind == InputEvent::Kind::focusLost) {
        if (count != 2 || words[1] != "lost" || recording.format < pausingFormat) {
            return refuse("a focus takes 'f lost', from format " + std::to_string(pausingFormat));
        }
    } else if (count != 2 || !real(1, event.scroll)) {
        return count != 2 ? refuse("a scroll takes 's OFFSET'") : false;
    }
    if (recording.passes.empty() || recording.passes.back().cursorRead) {
        return refuse("an event stands after its pass line and before its cursor");
    }
    if (recording.format < pausingFormat && event.kind == InputEvent::Kind::key &&
        event.key == Key::p) {
        return true;
    }
    if (recording.events.size() >= UINT32_MAX) {
        return refuse("too many events");
    }
    recording.events.push_back(event);
    ++recording.passes.back().eventCount;
    return true;
}

bool RecordingParser::readCursor()
{
    long x = 0;
    long y = 0;
    if (words.size() != 3) {
        return refuse("a cursor takes 'c X Y'");
    }
    if (!whole(1, INT_MIN, INT_MAX, x) || !whole(2, INT_MIN, INT_MAX, y)) {
        return false;
    }
    if (recording.passes.empty() || recording.passes.back().cursorRead) {
        return refuse("a cursor stands once after its pass line");
    }
    RecordedPass& pass = recording.passes.back();
    pass.cursorRead = true;
    pass.cursorX = static_cast<int>(x);
    pass.cursorY = static_cast<int>(y);
    return true;
}

bool RecordingParser::readEnd()
{
    long passes = 0;
    const std::size_t size = recording.format == 1 ? 2 : 3;
    if (words.size() != size) {
        return refuse(size == 2 ? "expected 'end PASSES'" : "expected 'end PASSES CHECKSUM'");
    }
    if (!whole(1, 0, LONG_MAX, passes) || (size == 3 && !hex(2, 16, recording.checksum))) {
        return false;
    }
    if (static_cast<std::size_t>(passes) != recording.passes.size()) {
        return refuse("the end line counts " + std::to_string(passes) + " passes, the file holds " +
                      std::to_string(recording.passes.size()));
    }
    if (static_cast<std::size_t>(recording.attemptStart) > recording.passes.size()) {
        return refuse("the attempt starts after the last pass");
    }
    ended = true;
    return true;
}

bool RecordingParser::readBody()
{
    if (ended) {
        return words.empty() || refuse("text after the end line");
    }
    if (words.empty()) {
        return true;
    }
    const std::string_view kind = words[0];
    if (kind == "p") {
        return readPass();
    }
    if (kind == "k" || kind == "b" || kind == "s" || kind == "f") {
        InputEvent event;
        event.kind = kind == "k"   ? InputEvent::Kind::key
                     : kind == "b" ? InputEvent::Kind::button
                     : kind == "s" ? InputEvent::Kind::scroll
                                   : InputEvent::Kind::focusLost;
        return readEvent(event);
    }
    if (kind == "c") {
        return readCursor();
    }
    if (kind == "end") {
        return readEnd();
    }
    return refuse("unknown line '" + std::string(kind) + "'");
}

std::optional<RunRecording> RecordingParser::parse(bool headerOnly)
{
    const bool header =
        readFormat() && (recording.format == 1 ? readFirstHeader() : readAttemptHeader());
    if (!header) {
        return std::nullopt;
    }
    if (recording.format >= 2) {
        recording.startSample = static_cast<double>(recording.snapshot.timer.last);
    }
    if (headerOnly) {
        return std::move(recording);
    }
    while (nextLine()) {
        if (!readBody()) {
            return std::nullopt;
        }
    }
    if (!ended) {
        ++number;
        refuse("the recording ends before its end line");
        return std::nullopt;
    }
    return std::move(recording);
}

} // namespace

std::optional<RunRecording> parseRecording(const std::string& text, ParseError& error)
{
    return RecordingParser(text, error).parse(false);
}

std::optional<RunRecording> loadRecordingHeader(const std::filesystem::path& file,
                                                ParseError& error)
{
    // Far more than the longest header: the snapshot's bodies are bounded.
    constexpr std::size_t headerBytes = std::size_t{1} << 18;
    std::ifstream in;
    if (!openRecording(file, in, error)) {
        return std::nullopt;
    }
    std::string text(headerBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return RecordingParser(text, error).parse(true);
}
