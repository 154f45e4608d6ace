// Any bytes as "assets/settings.ini": the reader and the eight start-up values must come out
// of it without a crash, and a key the file does not give must keep its default.
#include "app/settings.h"
#include "app/settings_reader.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// No line of an INI file can store a value holding this, so it shows a key is absent.
const std::string absent(1, '\0');

bool hasKey(const SettingsReader& reader, const char* section, const char* name)
{
    return reader.get(section, name, absent) != absent;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SettingsReader reader = SettingsReader::fromText(text);
    FUZZ_CHECK(reader.parseError() >= 0); // a stream in memory always opens

    const Settings settings = readSettings(reader);
    const Settings defaults;
    if (!hasKey(reader, "window", "width")) {
        FUZZ_CHECK(settings.width == defaults.width);
    }
    if (!hasKey(reader, "window", "title")) {
        FUZZ_CHECK(settings.title == defaults.title);
    }
    if (!hasKey(reader, "camera", "far")) {
        FUZZ_CHECK(settings.far == defaults.far);
    }

    // Every section the file named answers typed queries for any key, stored or not.
    for (const std::string& section : reader.sectionNames()) {
        for (const char* name : {"width", "title", "fullscreen", "fov", ""}) {
            (void)reader.getInteger(section, name, 7);
            (void)reader.getReal(section, name, 7.0);
            (void)reader.getBoolean(section, name, true);
            (void)reader.get(section, name, "");
        }
    }
    return 0;
}
