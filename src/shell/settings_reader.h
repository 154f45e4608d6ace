#pragma once

#include "game/settings.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

// Reads an INI file into a case-insensitive table of "section=name" keys and answers typed
// queries with the caller's defaults. The syntax is whatever inih accepts with its defaults.
class SettingsReader {
  public:
    explicit SettingsReader(const std::string& fileName);

    // The same parse of a file's contents already in memory. Nothing is printed; parseError()
    // is -1 only when the text could not be turned into a stream.
    static SettingsReader fromText(std::string_view text);

    // 0: the whole file parsed; > 0: line of the first syntax error (later lines still parsed);
    // -1: the file could not be opened.
    int parseError() const { return error; }

    bool has(const std::string& section, const std::string& name) const;
    std::string get(const std::string& section, const std::string& name,
                    const std::string& defaultValue) const;
    long getInteger(const std::string& section, const std::string& name, long defaultValue) const;
    double getReal(const std::string& section, const std::string& name, double defaultValue) const;
    bool getBoolean(const std::string& section, const std::string& name, bool defaultValue) const;

  private:
    SettingsReader() = default;
    void parse(std::FILE* stream);

    static std::string makeKey(const std::string& section, const std::string& name);
    static int storeValue(void* user, const char* section, const char* name, const char* value);

    int error = 0;
    std::map<std::string, std::string> values;
};

// Reads the eight keys in the game's fixed order, each falling back to its default, then the
// optional [audio] and [keys] sections, whose unusable values are each one line on warnings
// naming the key and the default it takes.
Settings readSettings(const SettingsReader& reader, std::ostream& warnings = std::cerr);
