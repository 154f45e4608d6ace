#include "shell/settings_reader.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>

SettingsReader::SettingsReader(const std::string& fileName)
{
    std::FILE* file = std::fopen(fileName.c_str(), "r");
    if (file == nullptr) {
        error = -1;
    } else {
        parse(file);
        std::fclose(file);
    }
    if (error < 0) {
        std::cout << "WARNING: " << fileName << " not found! Using defaults instead." << std::endl;
    }
}

SettingsReader SettingsReader::fromText(std::string_view text)
{
    SettingsReader reader;
    if (text.empty()) {
        return reader; // fmemopen refuses a zero size; an empty file parses to nothing anyway
    }
    // A read-only memory stream: the same line reader as a real file, so the text parses
    // exactly as it would from disk. fmemopen takes a non-const buffer but only reads it here.
    std::FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (stream == nullptr) {
        reader.error = -1;
        return reader;
    }
    reader.parse(stream);
    std::fclose(stream);
    return reader;
}

void SettingsReader::parse(std::FILE* stream)
{
    error = ini_parse_file(stream, &SettingsReader::storeValue, this);
}

bool SettingsReader::has(const std::string& section, const std::string& name) const
{
    return values.contains(makeKey(section, name));
}

std::string SettingsReader::get(const std::string& section, const std::string& name,
                                const std::string& defaultValue) const
{
    const auto found = values.find(makeKey(section, name));
    return found == values.end() ? defaultValue : found->second;
}

long SettingsReader::getInteger(const std::string& section, const std::string& name,
                                long defaultValue) const
{
    const std::string text = get(section, name, "");
    const char* begin = text.c_str();
    char* end = nullptr;
    const long number = std::strtol(begin, &end, 0);
    return end > begin ? number : defaultValue;
}

double SettingsReader::getReal(const std::string& section, const std::string& name,
                               double defaultValue) const
{
    const std::string text = get(section, name, "");
    const char* begin = text.c_str();
    char* end = nullptr;
    const double number = std::strtod(begin, &end);
    return end > begin ? number : defaultValue;
}

bool SettingsReader::getBoolean(const std::string& section, const std::string& name,
                                bool defaultValue) const
{
    std::string text = get(section, name, "");
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (text == "true" || text == "yes" || text == "on" || text == "1") {
        return true;
    }
    if (text == "false" || text == "no" || text == "off" || text == "0") {
        return false;
    }
    return defaultValue;
}

std::string SettingsReader::makeKey(const std::string& section, const std::string& name)
{
    std::string key = section + "=" + name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

int SettingsReader::storeValue(void* user, const char* section, const char* name, const char* value)
{
    auto* reader = static_cast<SettingsReader*>(user);
    std::string& stored = reader->values[makeKey(section, name)];
    if (!stored.empty()) {
        stored += "\n";
    }
    stored += value;
    return 1;
}

namespace {

KeyBindings readKeySettings(const SettingsReader& reader, std::ostream& warnings)
{
    std::array<std::optional<std::string>, boundActionCount> names;
    for (std::size_t action = 0; action < boundActionCount; ++action) {
        if (reader.has("keys", boundActions[action].name)) {
            names[action] = reader.get("keys", boundActions[action].name, "");
        }
    }
    return KeyBindings::fromNames(names, warnings);
}

// A volume from 0 to 1. Anything else is said once and gives the default, so a slip of the
// keyboard is heard as the default rather than as silence or a blast; a key given twice is
// read from its first value, as the other keys are.
float readVolume(const SettingsReader& reader, const char* key, float fallback,
                 std::ostream& warnings)
{
    if (!reader.has("audio", key)) {
        return fallback;
    }
    const std::string given = reader.get("audio", key, "");
    const std::string text = given.substr(0, given.find('\n'));
    char* end = nullptr;
    const double volume = std::strtod(text.c_str(), &end);
    if (!text.empty() && end == text.c_str() + text.size() && volume >= 0.0 && volume <= 1.0) {
        return static_cast<float>(volume);
    }
    warnings << "korvel: warning: settings.ini [audio] " << key << ": " << text
             << " is not a volume from 0 to 1; using " << fallback << std::endl;
    return fallback;
}

void readAudioSettings(const SettingsReader& reader, Settings& settings, std::ostream& warnings)
{
    const Settings defaults;
    settings.musicVolume = readVolume(reader, "music", defaults.musicVolume, warnings);
    settings.effectsVolume = readVolume(reader, "effects", defaults.effectsVolume, warnings);
}

} // namespace

Settings readSettings(const SettingsReader& reader, std::ostream& warnings)
{
    const Settings defaults;
    Settings settings;
    settings.width = static_cast<int>(reader.getInteger("window", "width", defaults.width));
    settings.height = static_cast<int>(reader.getInteger("window", "height", defaults.height));
    settings.title = reader.get("window", "title", defaults.title);
    settings.fullscreen = reader.getBoolean("window", "fullscreen", defaults.fullscreen);
    settings.brightness =
        static_cast<float>(reader.getReal("window", "brightness", defaults.brightness));
    settings.fov = static_cast<float>(reader.getReal("camera", "fov", defaults.fov));
    settings.near = static_cast<float>(reader.getReal("camera", "near", defaults.near));
    settings.far = static_cast<float>(reader.getReal("camera", "far", defaults.far));
    settings.keys = readKeySettings(reader, warnings);
    readAudioSettings(reader, settings, warnings);
    return settings;
}
