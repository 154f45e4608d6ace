#include "startup_run.h"

#include "figure_lines.h"
#include "launch_time.h"
#include "process_measures.h"

#include "shell/game_main.h"

#include <GLFW/glfw3.h>

#include <iostream>

int runStartup()
{
    const std::optional<double> launched = launchTime();
    if (!launched) {
        std::cerr << "korvel-bench: startup needs " << launchTimeVariable() << std::endl;
        return 2;
    }
    double firstPresented = 0.0;
    RunOptions options;
    options.beforeSwap = [](GLFWwindow* window) { glfwSetWindowShouldClose(window, GLFW_TRUE); };
    options.onFinish = [&firstPresented](const RunSummary&) {
        firstPresented = monotonicSeconds();
    };
    const int status = runGame(options);
    if (status != 0) {
        return status;
    }
    writeFigure(Figure::StartupS, firstPresented - *launched);
    writeFigure(Figure::PeakRssMb, peakResidentMegabytes());
    return 0;
}
