// korvel-bench: frame time, start-up time and memory of the real game on this machine, set
// against the machine's own ceiling (an empty clear-and-swap loop at the game's window size).
//
//   korvel-bench [--frames N] [--warm-up N] [--route FILE] [--json FILE]
//
// runs every measurement, each in a fresh child process of this same program, then prints one
// table and writes the same figures as JSON. The children are the modes below; they print
// "bench: NAME VALUE" lines that the parent collects.
//
//   korvel-bench ceiling FRAMES
//   korvel-bench play ROUTE FRAMES WARM_UP
//   korvel-bench startup
//
// Run it from a build directory: the game reads assets/ relative to the working directory.

#include "allocation_counter.h"
#include "bench_report.h"
#include "gpu_pass_timer.h"

#include "game/frame_phases.h"
#include "game/pass_input.h"
#include "game/settings.h"
#include "input/window_input.h"
#include "runs/route.h"
#include "shell/game_main.h"
#include "shell/settings_reader.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace {

constexpr const char* launchVariable = "KORVEL_BENCH_LAUNCH_NS";

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void report(const std::string& name, double value)
{
    std::printf("bench: %s %.9g\n", name.c_str(), value);
}

void report(const std::string& name, const std::string& value)
{
    std::printf("bench: %s %s\n", name.c_str(), value.c_str());
}

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

// User and system time of every thread of this process (the rasteriser's threads too).
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Settings gameSettings()
{
    SettingsReader reader("assets/settings.ini");
    return readSettings(reader);
}

// An empty loop at the game's window size and context: what the machine can present at best.
int runCeiling(long frames)
{
    const Settings settings = gameSettings();
    if (glfwInit() == 0) {
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(settings.width, settings.height, "ceiling", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return 1;
    }
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (int i = 0; i < 10; ++i) { // let the window and the swap chain settle
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(window);
        glfwPollEvents();
    }
    const double start = monotonicSeconds();
    for (long i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwPollEvents();
        glfwSwapBuffers(window);
    }
    const double seconds = monotonicSeconds() - start;
    report("renderer", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    report("width", settings.width);
    report("height", settings.height);
    report("ceiling_fps", static_cast<double>(frames) / seconds);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}

// What the benchmark watches of the game's loop: the CPU time of each phase, and where each GL
// pass begins, for the GPU timer.
class PlayObserver final : public FrameObserver {
  public:
    PlayObserver(FramePhases& phases, std::function<void(DrawPass)> drawPassStarts)
        : phases(phases), gpuPassStarts(std::move(drawPassStarts))
    {
    }
    void passBegins() override { phases.begin(); }
    void phaseEnds(FramePhase phase) override { phases.mark(phase); }
    void drawPassStarts(DrawPass pass) override { gpuPassStarts(pass); }

  private:
    FramePhases& phases;
    std::function<void(DrawPass)> gpuPassStarts;
};

// The winning route on the real clock: keys go in when their time has passed on the wall
// clock since the first pass, so the game does the work a player's machine does.
int runPlay(const std::string& routeFile, long frames, long warmUp)
{
    ParseError error;
    const std::optional<Route> route = loadRoute(routeFile, error);
    if (!route) {
        std::cerr << "korvel-bench: cannot read route " << routeFile << ": " << error.message
                  << std::endl;
        return 2;
    }

    FramePhases phases;
    std::vector<double> frameSeconds;
    std::vector<std::array<double, framePhaseCount>> phaseSeconds;
    frameSeconds.reserve(static_cast<std::size_t>(frames));
    phaseSeconds.reserve(static_cast<std::size_t>(frames));

    long pass = -1;
    double routeStart = 0.0;
    double passStart = 0.0;
    long allocationsAtStart = 0;
    long allocationsAtEnd = 0;
    double cpuAtStart = 0.0;
    double cpuAtEnd = 0.0;
    std::size_t nextEvent = 0;
    RunSummary summary;

    // The timer's queries need the game's context, so it is made at the first pass and
    // released when the loop has ended, before the context goes.
    std::optional<GpuPassTimer> gpu;
    bool measuring = false;
    std::array<std::vector<double>, drawPassCount> gpuMilliseconds;

    PlayObserver observer(phases, [&](DrawPass drawPass) {
        if (!gpu) {
            gpu.emplace(static_cast<std::size_t>(frames));
        }
        gpu->record(measuring);
        gpu->passStarts(drawPass);
    });
    // The route's keys go in when their time has passed on the wall clock since the first
    // pass; the clock and the cursor are the window's own.
    class WallClockRoute final : public InputSource {
      public:
        WallClockRoute(const Route& route, const double& start, std::function<void()> begin)
            : route(route), start(start), begin(std::move(begin))
        {
        }
        void beginPass() override { begin(); }
        double sampleClock() override { return glfwGetTime(); }
        void pollEvents(std::vector<InputEvent>& events, float) override
        {
            const double routeTime = monotonicSeconds() - start;
            while (next < route.events.size() && route.events[next].time <= routeTime) {
                const RouteEvent& event = route.events[next++];
                events.push_back(InputEvent::keyEvent(event.key, event.action));
            }
        }
        CursorPosition readCursor() override { return windowCursor(glfwGetCurrentContext()); }

      private:
        const Route& route;
        const double& start;
        std::function<void()> begin;
        std::size_t next = 0;
    };
    WallClockRoute script(*route, routeStart, [&] {
        const double now = monotonicSeconds();
        if (pass >= warmUp) {
            frameSeconds.push_back(now - passStart);
            phaseSeconds.push_back(phases.totals());
        }
        phases.reset();
        ++pass;
        if (pass == 0) {
            routeStart = now;
        }
        measuring = pass >= warmUp && pass < warmUp + frames;
        if (pass == warmUp) {
            // KORVEL_BENCH_TRACE_ALLOCATIONS=1 prints where the measured frames allocate.
            allocations::trace(std::getenv("KORVEL_BENCH_TRACE_ALLOCATIONS") != nullptr);
            allocationsAtStart = allocations::count();
            cpuAtStart = processCpuSeconds();
        }
        if (pass == warmUp + frames) {
            allocations::trace(false);
            allocationsAtEnd = allocations::count();
            cpuAtEnd = processCpuSeconds();
            glfwSetWindowShouldClose(glfwGetCurrentContext(), GLFW_TRUE);
        }
        passStart = now;
    });
    RunOptions options;
    options.observer = &observer;
    options.script = &script;
    // The window closes at the start of a pass, before it draws: let the loop end there.
    options.onFinish = [&](const RunSummary& finished) {
        summary = finished;
        if (gpu) {
            gpu->collectAll();
            gpuMilliseconds = gpu->milliseconds();
            gpu.reset();
        }
    };

    const int status = runGame(options);
    if (status != 0) {
        return status;
    }
    const long measured = static_cast<long>(frameSeconds.size());
    report("frames", static_cast<double>(measured));
    report("allocations_per_frame",
           measured > 0 ? static_cast<double>(allocationsAtEnd - allocationsAtStart) /
                              static_cast<double>(measured)
                        : 0.0);
    // CPU time on all threads per frame: less sensitive to other load than the wall clock.
    report("cpu_ms_per_frame",
           measured > 0 ? (cpuAtEnd - cpuAtStart) * 1000.0 / static_cast<double>(measured) : 0.0);
    for (double seconds : frameSeconds) {
        report("frame_ms", seconds * 1000.0);
    }
    for (std::size_t phase = 0; phase < framePhaseCount; ++phase) {
        std::vector<double> values;
        values.reserve(phaseSeconds.size());
        for (const auto& frame : phaseSeconds) {
            values.push_back(frame[phase] * 1000.0);
        }
        report(std::string("phase_median_ms.") + framePhaseNames[phase], median(values));
        report(std::string("phase_mean_ms.") + framePhaseNames[phase], mean(values));
    }
    for (std::size_t drawPass = 0; drawPass < drawPassCount; ++drawPass) {
        report(std::string("gpu_median_ms.") + drawPassNames[drawPass],
               median(gpuMilliseconds[drawPass]));
        report(std::string("gpu_mean_ms.") + drawPassNames[drawPass],
               mean(gpuMilliseconds[drawPass]));
    }
    report("outcome", summary.won      ? "won"
                      : summary.dead   ? "dead"
                      : summary.timeUp ? "timeup"
                                       : "playing");
    report("seconds_left", summary.secondsLeft);
    report("peak_rss_mb", peakResidentMegabytes());
    return 0;
}

// Start-up: from the parent's launch of this process to the return of the first swap.
int runStartup()
{
    const char* launched = std::getenv(launchVariable);
    if (launched == nullptr) {
        std::cerr << "korvel-bench: startup needs " << launchVariable << std::endl;
        return 2;
    }
    double firstPresented = 0.0;
    RunOptions options;
    options.beforeSwap = [](GLFWwindow* window) { glfwSetWindowShouldClose(window, GLFW_TRUE); };
    options.onFinish = [&](const RunSummary&) { firstPresented = monotonicSeconds(); };
    const int status = runGame(options);
    if (status != 0) {
        return status;
    }
    report("startup_s", firstPresented - std::strtod(launched, nullptr) * 1e-9);
    report("peak_rss_mb", peakResidentMegabytes());
    return 0;
}

// Runs this program again with arguments and extra environment; returns the "bench:" lines.
std::vector<std::pair<std::string, std::string>> runChild(const std::vector<std::string>& arguments,
                                                          std::vector<std::string> environment)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    for (char** variable = environ; *variable != nullptr; ++variable) {
        environment.emplace_back(*variable);
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    environment.push_back(
        std::string(launchVariable) + "=" +
        std::to_string(static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec));

    std::vector<char*> argv;
    static std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    argv.push_back(self.data());
    std::vector<std::string> ownArguments = arguments;
    for (std::string& argument : ownArguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int failed =
        posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed != 0) {
        close(pipeEnds[0]);
        return {};
    }
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "korvel-bench: " << arguments.front() << " run failed" << std::endl;
    }

    std::vector<std::pair<std::string, std::string>> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        if (line.rfind("bench: ", 0) != 0) {
            continue;
        }
        const std::string rest = line.substr(7);
        const std::size_t space = rest.find(' ');
        if (space != std::string::npos) {
            lines.emplace_back(rest.substr(0, space), rest.substr(space + 1));
        }
    }
    return lines;
}

std::string loadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double number(const std::vector<std::pair<std::string, std::string>>& lines,
              const std::string& name)
{
    for (const auto& [key, value] : lines) {
        if (key == name) {
            return std::strtod(value.c_str(), nullptr);
        }
    }
    return 0.0;
}

std::string text(const std::vector<std::pair<std::string, std::string>>& lines,
                 const std::string& name)
{
    for (const auto& [key, value] : lines) {
        if (key == name) {
            return value;
        }
    }
    return "";
}

struct Options {
    long frames = 600;
    long warmUp = 30;
    long ceilingFrames = 2000;
    int startupRuns = 3;
    std::string route = "routes/win.route";
    std::string json = "bench.json";
};

int runAll(const Options& options)
{
    BenchFigures figures;
    figures.loadBefore = loadAverage();

    const auto ceiling = runChild({"ceiling", std::to_string(options.ceilingFrames)}, {});
    figures.renderer = text(ceiling, "renderer");
    figures.width = static_cast<int>(number(ceiling, "width"));
    figures.height = static_cast<int>(number(ceiling, "height"));
    figures.ceilingFps = number(ceiling, "ceiling_fps");

    const auto play = runChild(
        {"play", options.route, std::to_string(options.frames), std::to_string(options.warmUp)},
        {});
    std::vector<double> frameMilliseconds;
    for (const auto& [key, value] : play) {
        if (key == "frame_ms") {
            frameMilliseconds.push_back(std::strtod(value.c_str(), nullptr));
        }
    }
    figures.setFrameTimes(frameMilliseconds);
    for (std::size_t phase = 0; phase < framePhaseCount; ++phase) {
        figures.phaseMedianMs[phase] =
            number(play, std::string("phase_median_ms.") + framePhaseNames[phase]);
        figures.phaseMeanMs[phase] =
            number(play, std::string("phase_mean_ms.") + framePhaseNames[phase]);
    }
    for (std::size_t drawPass = 0; drawPass < drawPassCount; ++drawPass) {
        figures.gpuMedianMs[drawPass] =
            number(play, std::string("gpu_median_ms.") + drawPassNames[drawPass]);
        figures.gpuMeanMs[drawPass] =
            number(play, std::string("gpu_mean_ms.") + drawPassNames[drawPass]);
    }
    figures.allocationsPerFrame = number(play, "allocations_per_frame");
    figures.cpuMsPerFrame = number(play, "cpu_ms_per_frame");
    figures.outcome = text(play, "outcome");
    figures.peakResidentMb = number(play, "peak_rss_mb");

    // Cold: an empty shader cache directory, so every program compiles; warm: the same
    // directory again, filled by the cold run before it.
    std::vector<double> cold;
    std::vector<double> warm;
    for (int run = 0; run < options.startupRuns; ++run) {
        char pattern[] = "/tmp/korvel-bench-cache-XXXXXX";
        const char* directory = mkdtemp(pattern);
        if (directory == nullptr) {
            break;
        }
        const std::string cache = std::string("MESA_SHADER_CACHE_DIR=") + directory;
        cold.push_back(number(runChild({"startup"}, {cache}), "startup_s"));
        warm.push_back(number(runChild({"startup"}, {cache}), "startup_s"));
        std::filesystem::remove_all(directory);
    }
    figures.startupColdS = median(cold);
    figures.startupWarmS = median(warm);
    figures.loadAfter = loadAverage();

    std::cout << formatTable(figures);
    std::ofstream json(options.json);
    json << formatJson(figures);
    std::cout << "JSON written to " << options.json << std::endl;
    return 0;
}

[[noreturn]] void usage()
{
    std::cerr << "usage: korvel-bench [--frames N] [--warm-up N] [--ceiling-frames N] "
                 "[--startup-runs N] [--route FILE] [--json FILE]\n"
                 "       korvel-bench ceiling FRAMES | play ROUTE FRAMES WARM_UP | startup"
              << std::endl;
    std::exit(2);
}

long count(const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0) {
        usage();
    }
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "ceiling" && arguments.size() == 2) {
        return runCeiling(count(argv[2]));
    }
    if (!arguments.empty() && arguments[0] == "play" && arguments.size() == 4) {
        return runPlay(arguments[1], count(argv[3]), count(argv[4]));
    }
    if (!arguments.empty() && arguments[0] == "startup" && arguments.size() == 1) {
        return runStartup();
    }
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i + 1 >= arguments.size()) {
            usage();
        }
        const std::string& word = arguments[i];
        const char* value = argv[i + 2];
        ++i;
        if (word == "--frames") {
            options.frames = std::max(1L, count(value));
        } else if (word == "--warm-up") {
            options.warmUp = count(value);
        } else if (word == "--ceiling-frames") {
            options.ceilingFrames = std::max(1L, count(value));
        } else if (word == "--startup-runs") {
            options.startupRuns = static_cast<int>(std::max(1L, count(value)));
        } else if (word == "--route") {
            options.route = value;
        } else if (word == "--json") {
            options.json = value;
        } else {
            usage();
        }
    }
    return runAll(options);
}
