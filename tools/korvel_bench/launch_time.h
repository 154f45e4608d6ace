#pragma once

#include <optional>
#include <string>

// The moment the parent launches a start-up child, handed to the child in its environment, so
// that the child can time its start from the launch on rather than from its own first line.

// The environment entry (NAME=VALUE) stamped with the present moment.
std::string launchTimeEntry();

// The launch on the monotonic clock in seconds, when this process was given one.
std::optional<double> launchTime();

// The variable's name, for a message that it is missing.
std::string launchTimeVariable();
