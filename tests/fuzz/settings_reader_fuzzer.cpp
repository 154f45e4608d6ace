// Any bytes as "assets/settings.ini": the reader and the start-up values (each read by its
// typed query) must come out of it without a crash, a key the file does not give must keep its
// default, and a volume is always one the mixer can use.
#include "game/settings.h"
#include "shell/settings_reader.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SettingsReader reader = SettingsReader::fromText(text);
    assert(reader.parseError() >= 0); // a stream in memory always opens

    std::ostringstream warnings;
    const Settings settings = readSettings(reader, warnings);
    // No line of an INI file can store a NUL, so a NUL default shows that a key is absent.
    const std::string absent(1, '\0');
    const auto hasKey = [&](const char* section, const char* name) {
        return reader.get(section, name, absent) != absent;
    };
    const Settings defaults;
    if (!hasKey("window", "width")) {
        assert(settings.width == defaults.width);
    }
    if (!hasKey("camera", "far")) {
        assert(settings.far == defaults.far);
    }
    for (const float volume : {settings.musicVolume, settings.effectsVolume}) {
        assert(volume >= 0.0f && volume <= 1.0f);
    }

    return 0;
}
