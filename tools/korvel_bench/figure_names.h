#pragma once

#include <array>
#include <cstddef>
#include <string>

// The figures a measurement's child reports to the parent. The child that writes a figure and
// the parent that reads it both take its name from here.
enum class Figure : std::size_t {
    Renderer,            // ceiling: the GL renderer's own name
    Width,               // ceiling: the game's window, from its settings
    Height,              //
    CeilingFps,          // ceiling: frames presented per second by the empty loop
    Frames,              // play: frames measured
    FrameMs,             // play: one line per measured frame, in order
    AllocationsPerFrame, // play
    CpuMsPerFrame,       // play: all threads of the process
    Outcome,             // play: won, dead, timeup or playing
    SecondsLeft,         // play: on the game's clock when the loop ended
    PeakRssMb,           // play and startup
    StartupS,            // startup: from the launch to the return of the first swap
    MinuteRssMb,         // session, one line per minute: resident memory at its end
    MinuteRunBytes,      //   the size of last.run at its end (0 before the first is saved)
    MinutePasses,        //   passes that ended in it
    MinuteSeconds,       //   its length on the wall clock
    MinuteLongestMs,     //   its longest frame
    MinuteMedianMs,      //   its median frame
    MinuteAllocations,   //   allocations made on the main thread in it, per pass
    MinuteLoad,          //   the machine's one-minute load average at its end
    Deaths,              // session: attempts that ended on the floor
    DeathSeconds,        // session, one line per death: wall-clock seconds from its attempt's start
    Restarts,            // session: F11 restarts the route asked for
    FinalRunBytes,       // session: last.run once the game has ended
    Count
};

inline constexpr std::size_t figureCount = static_cast<std::size_t>(Figure::Count);

// In Figure order.
inline constexpr std::array<const char*, figureCount> figureNames = {
    "renderer",
    "width",
    "height",
    "ceiling_fps",
    "frames",
    "frame_ms",
    "allocations_per_frame",
    "cpu_ms_per_frame",
    "outcome",
    "seconds_left",
    "peak_rss_mb",
    "startup_s",
    "minute_rss_mb",
    "minute_run_bytes",
    "minute_passes",
    "minute_seconds",
    "minute_longest_ms",
    "minute_median_ms",
    "minute_allocations_per_pass",
    "minute_load",
    "deaths",
    "death_seconds",
    "restarts",
    "final_run_bytes",
};

std::string figureName(Figure figure);

// The per-phase and per-pass figures: a median and a mean over the measured frames each.
enum class Statistic { Median, Mean };

// The CPU time of the main thread in a phase of the frame loop, by framePhaseNames' index.
std::string phaseFigureName(Statistic statistic, std::size_t phase);

// The GPU time of a GL pass, by drawPassNames' index.
std::string gpuFigureName(Statistic statistic, std::size_t pass);
