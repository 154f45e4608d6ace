#include "bench_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace {

std::string formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string line(const std::string& label, const std::string& value)
{
    std::string row = "  " + label;
    row.resize(std::max<std::size_t>(row.size() + 1, 44), ' ');
    return row + value + "\n";
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        if (static_cast<unsigned char>(c) >= 0x20) {
            out += c;
        }
    }
    return out + "\"";
}

std::string numberText(double value)
{
    return formatted("%.6g", std::isfinite(value) ? value : 0.0);
}

// Table rows of a median and a mean per named part of the frame.
template <std::size_t N>
std::string medianMeanRows(const std::array<const char*, N>& names,
                           const std::array<double, N>& medians, const std::array<double, N>& means)
{
    std::string rows;
    for (std::size_t i = 0; i < N; ++i) {
        std::string label = std::string("    ") + names[i];
        label.resize(42, ' ');
        rows += "  " + label + formatted("%7.3f", medians[i]) + formatted("  %7.3f\n", means[i]);
    }
    return rows;
}

// A JSON object of one figure per named part of the frame.
template <std::size_t N>
std::string namedFigures(const std::array<const char*, N>& names,
                         const std::array<double, N>& values)
{
    std::string object = "{";
    for (std::size_t i = 0; i < N; ++i) {
        object += quoted(names[i]) + ": " + numberText(values[i]) + (i + 1 < N ? ", " : "");
    }
    return object + "}";
}

} // namespace

double median(std::vector<double> values)
{
    return percentile(std::move(values), 50.0);
}

double mean(const std::vector<double>& values)
{
    if (values.empty()) {
        return 0.0;
    }
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double percentile(std::vector<double> values, double percent)
{
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(values.size()));
    const std::size_t index =
        static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(values.size()))) - 1;
    return values[index];
}

void BenchFigures::setFrameTimes(std::vector<double> milliseconds)
{
    frames = static_cast<int>(milliseconds.size());
    frameMedianMs = median(milliseconds);
    frameP95Ms = percentile(milliseconds, 95.0);
    frameP99Ms = percentile(milliseconds, 99.0);
    medianFps = frameMedianMs > 0.0 ? 1000.0 / frameMedianMs : 0.0;
}

double BenchFigures::ceilingFraction() const
{
    return ceilingFps > 0.0 ? medianFps / ceilingFps : 0.0;
}

double BenchFigures::gameLogicMeanMs() const
{
    const auto at = [this](FramePhase phase) {
        return phaseMeanMs[static_cast<std::size_t>(phase)];
    };
    return at(FramePhase::Physics) + at(FramePhase::PlayerMove) + at(FramePhase::Culling) +
           at(FramePhase::Obstacles);
}

std::string formatTable(const BenchFigures& f)
{
    std::string table = "Korvel benchmark (" + f.renderer + ", window " + std::to_string(f.width) +
                        "x" + std::to_string(f.height) + ")\n";
    table += line("load average before / after", f.loadBefore + " / " + f.loadAfter);
    table += line("ceiling (empty clear+swap)", formatted("%.1f fps", f.ceilingFps));
    table += line("winning route, real clock", std::to_string(f.frames) + " frames, " + f.outcome);
    table += line("  median rate", formatted("%.1f fps", f.medianFps));
    table += line("  fraction of the ceiling", formatted("%.4f", f.ceilingFraction()));
    table += line("  frame time median", formatted("%.2f ms", f.frameMedianMs));
    table += line("  frame time 95th percentile", formatted("%.2f ms", f.frameP95Ms));
    table += line("  frame time 99th percentile", formatted("%.2f ms", f.frameP99Ms));
    table += line("  CPU time of all threads", formatted("%.2f ms/frame", f.cpuMsPerFrame));
    table += "  CPU time per phase (ms/frame)           median     mean\n";
    table += medianMeanRows(framePhaseNames, f.phaseMedianMs, f.phaseMeanMs);
    table += "  GPU time per pass, timer queries (ms)    median     mean\n";
    table += medianMeanRows(drawPassNames, f.gpuMedianMs, f.gpuMeanMs);
    table += line("  game logic (physics, move, culling, obstacles)",
                  formatted("%.3f ms/frame (mean)", f.gameLogicMeanMs()));
    table +=
        line("  allocations in the frame loop", formatted("%.2f per frame", f.allocationsPerFrame));
    table += line("peak resident memory (play)", formatted("%.1f MB", f.peakResidentMb));
    table += line("start-up to first frame, cold cache", formatted("%.3f s", f.startupColdS));
    table += line("start-up to first frame, warm cache", formatted("%.3f s", f.startupWarmS));
    return table;
}

std::string formatJson(const BenchFigures& f)
{
    std::string json = "{\n";
    const auto field = [&json](const std::string& name, const std::string& value,
                               bool last = false) {
        json += "  " + quoted(name) + ": " + value + (last ? "\n" : ",\n");
    };
    field("renderer", quoted(f.renderer));
    field("window", "[" + std::to_string(f.width) + ", " + std::to_string(f.height) + "]");
    field("load_before", quoted(f.loadBefore));
    field("load_after", quoted(f.loadAfter));
    field("ceiling_fps", numberText(f.ceilingFps));
    field("frames", std::to_string(f.frames));
    field("outcome", quoted(f.outcome));
    field("median_fps", numberText(f.medianFps));
    field("ceiling_fraction", numberText(f.ceilingFraction()));
    field("frame_ms_median", numberText(f.frameMedianMs));
    field("frame_ms_p95", numberText(f.frameP95Ms));
    field("frame_ms_p99", numberText(f.frameP99Ms));
    field("phase_ms_median", namedFigures(framePhaseNames, f.phaseMedianMs));
    field("phase_ms_mean", namedFigures(framePhaseNames, f.phaseMeanMs));
    field("gpu_ms_median", namedFigures(drawPassNames, f.gpuMedianMs));
    field("gpu_ms_mean", namedFigures(drawPassNames, f.gpuMeanMs));
    field("game_logic_ms_mean", numberText(f.gameLogicMeanMs()));
    field("cpu_ms_per_frame", numberText(f.cpuMsPerFrame));
    field("allocations_per_frame", numberText(f.allocationsPerFrame));
    field("peak_rss_mb", numberText(f.peakResidentMb));
    field("startup_cold_s", numberText(f.startupColdS));
    field("startup_warm_s", numberText(f.startupWarmS), true);
    return json + "}\n";
}
