#pragma once

#include <string>

// What a measurement's process reads of itself, and of the machine it shares.

// Seconds on the monotonic clock, which the parent and its children share.
double monotonicSeconds();

// User and system time of every thread of this process (the rasteriser's threads too).
double processCpuSeconds();

double peakResidentMegabytes();

// The resident memory now, from /proc/self/statm; read without allocating, so that reading it
// in the frame loop does not count among the loop's allocations.
double residentMegabytes();

// The machine's load average over the last minute, read the same way.
double oneMinuteLoad();

// /proc/loadavg's three averages ("1.52 1.31 0.98"): how busy the machine was.
std::string loadAverage();
