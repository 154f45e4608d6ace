#pragma once

#include <map>
#include <set>
#include <string>

// Reads an INI file into a case-insensitive table of "section=name" keys and answers typed
// queries with the caller's defaults. The syntax is whatever inih accepts with its defaults.
class SettingsReader {
  public:
    explicit SettingsReader(const std::string& fileName);

    // 0: the whole file parsed; > 0: line of the first syntax error (later lines still parsed);
    // -1: the file could not be opened.
    int parseError() const { return error; }

    std::string get(const std::string& section, const std::string& name,
                    const std::string& defaultValue) const;
    long getInteger(const std::string& section, const std::string& name, long defaultValue) const;
    double getReal(const std::string& section, const std::string& name, double defaultValue) const;
    bool getBoolean(const std::string& section, const std::string& name, bool defaultValue) const;

    const std::set<std::string>& sectionNames() const { return sections; }

  private:
    static std::string makeKey(const std::string& section, const std::string& name);
    static int storeValue(void* user, const char* section, const char* name, const char* value);

    int error = 0;
    std::map<std::string, std::string> values;
    std::set<std::string> sections;
};
