#pragma once

#include "game/frame_phases.h"

#include <array>
#include <string>
#include <vector>

// The figures of one benchmark run, gathered from its child processes.
struct BenchFigures {
    std::string renderer;
    int width = 0;
    int height = 0;
    std::string loadBefore; // /proc/loadavg's three averages when the run began and ended
    std::string loadAfter;

    double ceilingFps = 0.0;

    int frames = 0;
    double medianFps = 0.0;
    double frameMedianMs = 0.0;
    double frameP95Ms = 0.0;
    double frameP99Ms = 0.0;
    std::array<double, framePhaseCount> phaseMedianMs{};
    std::array<double, framePhaseCount> phaseMeanMs{};
    // Driver timer queries per GL pass (GL_TIME_ELAPSED), median over the measured frames.
    std::array<double, drawPassCount> gpuMedianMs{};
    std::array<double, drawPassCount> gpuMeanMs{};
    double allocationsPerFrame = 0.0;
    double cpuMsPerFrame = 0.0; // all threads of the game process, rasteriser included
    std::string outcome;
    double peakResidentMb = 0.0;

    double startupColdS = 0.0;
    double startupWarmS = 0.0;

    // Fills the frame count, the median rate and the frame-time percentiles.
    void setFrameTimes(std::vector<double> milliseconds);

    // The game's median rate as a fraction of the ceiling.
    double ceilingFraction() const;
    // Physics step, player move, culling and HUD: the logic the targets bound together.
    double gameLogicMeanMs() const;
};

double median(std::vector<double> values);
double mean(const std::vector<double>& values);
// The nearest-rank percentile (0 to 100) of values.
double percentile(std::vector<double> values, double percent);

std::string formatTable(const BenchFigures& figures);
std::string formatJson(const BenchFigures& figures);
