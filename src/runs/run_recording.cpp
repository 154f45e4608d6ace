#include "runs/run_recording.h"

#include "game/key_names.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

} // namespace

std::string recordingBuild()
{
    return "korvel " KORVEL_VERSION_TEXT;
}

std::string recordingText(const RunRecording& recording)
{
    std::string text = std::string(magic) + " " + std::to_string(recordingFormat) + "\n";
    text += "build " + recording.build + "\n";
    text += "attempt " + std::to_string(recording.attemptStart) + "\n";
    text += "start";
    appendNumber(text, recording.startSample);
    text += "\n";
    text.reserve(text.size() + recording.passes.size() * 120 + recording.events.size() * 16);
    for (const RecordedPass& pass : recording.passes) {
        appendPass(text, recording, pass);
    }
    text += "end " + std::to_string(recording.passes.size()) + "\n";
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

std::optional<RunRecording> loadRecording(const std::filesystem::path& file, ParseError& error)
{
    // Only a plain file is read, as for the score: a pipe in its place could block start-up.
    std::error_code status;
    std::ifstream in;
    if (std::filesystem::is_regular_file(file, status)) {
        in.open(file, std::ios::binary);
    }
    if (!in) {
        error = {0, "cannot read " + file.string()};
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseRecording(text, error);
}

namespace {

// Reads a recording line by line; each step refuses the line it stands on.
class RecordingParser {
  public:
    explicit RecordingParser(ParseError& error) : error(error) {}

    std::optional<RunRecording> parse(const std::string& text);

  private:
    bool refuse(const std::string& why)
    {
        error = {number, why};
        return false;
    }
    bool readHeader(std::size_t index);
    bool readBody();
    bool readPass();
    bool readEvent(InputEvent event);
    bool readCursor();
    bool readEnd();
    bool real(std::size_t index, double& value);
    bool whole(std::size_t index, long low, long high, long& value);

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

// Lines 1 to 4: the format, the build, the attempt and the first clock sample.
bool RecordingParser::readHeader(std::size_t index)
{
    static constexpr std::string_view names[] = {magic, "build", "attempt", "start"};
    if (words.empty() || words[0] != names[index]) {
        return refuse("expected '" + std::string(names[index]) + "'");
    }
    long value = 0;
    switch (index) {
    case 0:
        if (words.size() != 2) {
            return refuse("expected 'korvel-run VERSION'");
        }
        if (!whole(1, 0, INT_MAX, value)) {
            return false;
        }
        return value == recordingFormat ||
               refuse("recorded in format " + std::to_string(value) + "; this build reads format " +
                      std::to_string(recordingFormat));
    case 1:
        for (std::size_t i = 1; i < words.size(); ++i) {
            recording.build += (i > 1 ? " " : "") + std::string(words[i]);
        }
        return true;
    case 2:
        return (words.size() == 2 || refuse("expected 'attempt PASS'")) &&
               whole(1, 0, LONG_MAX, recording.attemptStart);
    default:
        return (words.size() == 2 || refuse("expected 'start TIME'")) &&
               real(1, recording.startSample);
    }
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
    } else if (count != 2 || !real(1, event.scroll)) {
        return count != 2 ? refuse("a scroll takes 's OFFSET'") : false;
    }
    if (recording.passes.empty() || recording.passes.back().cursorRead) {
        return refuse("an event stands after its pass line and before its cursor");
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
    if (words.size() != 2 || !whole(1, 0, LONG_MAX, passes)) {
        return words.size() == 2 ? false : refuse("expected 'end PASSES'");
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
    if (kind == "k" || kind == "b" || kind == "s") {
        InputEvent event;
        event.kind = kind == "k"   ? InputEvent::Kind::key
                     : kind == "b" ? InputEvent::Kind::button
                                   : InputEvent::Kind::scroll;
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

std::optional<RunRecording> RecordingParser::parse(const std::string& text)
{
    const std::string_view all(text);
    std::size_t at = 0;
    while (at < all.size()) {
        const std::size_t newline = std::min(all.find('\n', at), all.size());
        words = splitWords(all.substr(at, newline - at));
        at = newline + 1;
        ++number;
        const bool read =
            number <= 4 ? readHeader(static_cast<std::size_t>(number - 1)) : readBody();
        if (!read) {
            return std::nullopt;
        }
    }
    if (!ended) {
        ++number;
        refuse(number <= 5 ? "the header is cut short" : "the recording ends before its end line");
        return std::nullopt;
    }
    return std::move(recording);
}

} // namespace

std::optional<RunRecording> parseRecording(const std::string& text, ParseError& error)
{
    return RecordingParser(error).parse(text);
}
