#pragma once

// What a measurement's process reads of itself.

// Seconds on the monotonic clock, which the parent and its children share.
double monotonicSeconds();

// User and system time of every thread of this process (the rasteriser's threads too).
double processCpuSeconds();

double peakResidentMegabytes();
