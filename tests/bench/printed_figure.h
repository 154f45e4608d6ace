#pragma once

#include "figure_lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The line a child's writer prints for one figure, for building a child's output in a test.
inline std::string printedFigure(const std::string& name, const std::string& value)
{
    testing::internal::CaptureStdout();
    writeFigure(name, value);
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
