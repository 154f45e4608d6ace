#pragma once

#include "figure_names.h"

#include <string>
#include <utility>
#include <vector>

// How a measurement's child hands its figures to the parent: one "bench: NAME VALUE" line each
// on its standard output, among whatever else the game prints there.

void writeFigure(const std::string& name, double value);
void writeFigure(const std::string& name, const std::string& value);
inline void writeFigure(Figure figure, double value)
{
    writeFigure(figureName(figure), value);
}
inline void writeFigure(Figure figure, const std::string& value)
{
    writeFigure(figureName(figure), value);
}

// The figures in a child's output. Every read notes a figure that is not there or not a number,
// so that after reading what it needs the parent can tell at once whether anything was missing.
class FigureReader {
  public:
    explicit FigureReader(const std::string& output);

    double number(const std::string& name);
    std::string text(const std::string& name);
    // Every line of the name, in the child's order; at least one is needed.
    std::vector<double> numbers(const std::string& name);

    double number(Figure figure) { return number(figureName(figure)); }
    std::string text(Figure figure) { return text(figureName(figure)); }
    std::vector<double> numbers(Figure figure) { return numbers(figureName(figure)); }

    // What the reads so far found wrong ("lacks outcome", "has width 'wide', not a number"),
    // empty when everything read was there.
    const std::vector<std::string>& problems() const { return found; }

  private:
    const std::string* find(const std::string& name);
    double toNumber(const std::string& name, const std::string& value);

    std::vector<std::pair<std::string, std::string>> lines;
    std::vector<std::string> found;
};
