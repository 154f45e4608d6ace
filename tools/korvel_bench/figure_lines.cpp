#include "figure_lines.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

constexpr const char* linePrefix = "bench: ";

} // namespace

void writeFigure(const std::string& name, double value)
{
    std::printf("%s%s %.9g\n", linePrefix, name.c_str(), value);
}

void writeFigure(const std::string& name, const std::string& value)
{
    std::printf("%s%s %s\n", linePrefix, name.c_str(), value.c_str());
}

FigureReader::FigureReader(const std::string& output)
{
    const std::string prefix = linePrefix;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        if (line.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::string rest = line.substr(prefix.size());
        const std::size_t space = rest.find(' ');
        if (space != std::string::npos) {
            lines.emplace_back(rest.substr(0, space), rest.substr(space + 1));
        }
    }
}

double FigureReader::number(const std::string& name)
{
    const std::string* value = find(name);
    return value != nullptr ? toNumber(name, *value) : 0.0;
}

std::string FigureReader::text(const std::string& name)
{
    const std::string* value = find(name);
    return value != nullptr ? *value : std::string();
}

std::vector<double> FigureReader::numbers(const std::string& name)
{
    std::vector<double> values;
    for (const auto& [key, value] : lines) {
        if (key == name) {
            values.push_back(toNumber(name, value));
        }
    }
    if (values.empty()) {
        found.push_back("lacks " + name);
    }
    return values;
}

const std::string* FigureReader::find(const std::string& name)
{
    for (const auto& [key, value] : lines) {
        if (key == name) {
            return &value;
        }
    }
    found.push_back("lacks " + name);
    return nullptr;
}

double FigureReader::toNumber(const std::string& name, const std::string& value)
{
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0') {
        found.push_back("has " + name + " '" + value + "', not a number");
        return 0.0;
    }
    return number;
}
