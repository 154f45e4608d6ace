// korvel-replay: the game's own start-up and frame loop on a virtual clock, with key events
// read from a route file instead of the keyboard. Same route, same build: same outcome. Given
// a recording of a run instead, it plays that run again, pass for pass.

#include "audio/sound_capture.h"
#include "game/best_score.h"
#include "game/game_state.h"
#include "physics/player.h"
#include "render/back_buffer.h"
#include "render/png_writer.h"
#include "runs/record_table.h"
#include "runs/recording_replay.h"
#include "runs/route.h"
#include "runs/route_input.h"
#include "runs/run_check.h"
#include "shell/game_main.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Screenshot {
    long pass = 0;
    std::string file;
    double time = 0.0;
};

struct ReplayArguments {
    std::string routeFile;
    double frameTime = scriptedFrameTime;
    std::vector<Screenshot> shots;
    std::optional<double> until;
    std::string soundFile; // --sound: the run's mix, recorded on the virtual clock
    bool printFoot = false;
    bool verify = false;  // --verify: check the run headless instead of showing it
    bool info = false;    // --info: describe the run
    bool records = false; // --records: print the table of records
};

[[noreturn]] void usage(const std::string& problem)
{
    std::cerr
        << "korvel-replay: " << problem << "\n"
        << "usage: korvel-replay ROUTE|RUN [--frame-time S] [--shot T:FILE.png]... [--until S]"
        << " [--foot] [--sound FILE.wav]\n"
        << "       korvel-replay --verify RUN\n"
        << "       korvel-replay --info RUN\n"
        << "       korvel-replay --records" << std::endl;
    std::exit(2);
}

double positiveNumber(const std::string& text, const char* what)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.0) {
        usage(std::string("bad ") + what + " '" + text + "'");
    }
    return value;
}

ReplayArguments parseArguments(int argc, char** argv)
{
    ReplayArguments arguments;
    std::vector<std::pair<double, std::string>> shotTimes;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage(word + " needs a value");
            }
            return argv[++i];
        };
        if (word == "--frame-time") {
            arguments.frameTime = positiveNumber(value(), "frame time");
            if (arguments.frameTime <= 0.0) {
                usage("the frame time must be above 0");
            }
        } else if (word == "--shot") {
            const std::string shot = value();
            const size_t colon = shot.find(':');
            if (colon == std::string::npos || colon + 1 == shot.size()) {
                usage("--shot takes T:FILE.png");
            }
            shotTimes.emplace_back(positiveNumber(shot.substr(0, colon), "shot time"),
                                   shot.substr(colon + 1));
        } else if (word == "--until") {
            arguments.until = positiveNumber(value(), "end time");
        } else if (word == "--sound") {
            arguments.soundFile = value();
        } else if (word == "--foot") {
            arguments.printFoot = true;
        } else if (word == "--verify") {
            arguments.verify = true;
        } else if (word == "--info") {
            arguments.info = true;
        } else if (word == "--records") {
            arguments.records = true;
        } else if (!word.empty() && word[0] == '-') {
            usage("unknown option " + word);
        } else if (arguments.routeFile.empty()) {
            arguments.routeFile = word;
        } else {
            usage("only one route file");
        }
    }
    if (arguments.records) {
        if (!arguments.routeFile.empty() || argc != 2) {
            usage("--records takes nothing else");
        }
        return arguments;
    }
    if (arguments.routeFile.empty()) {
        usage("no route file");
    }
    if (arguments.verify && arguments.info) {
        usage("--verify and --info are one at a time");
    }
    for (const auto& [time, file] : shotTimes) {
        arguments.shots.push_back({passForTime(time, arguments.frameTime), file, time});
    }
    return arguments;
}

void writeShot(GLFWwindow* window, const std::string& file)
{
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    if (!writePng(file, width, height, readBackBuffer(width, height))) {
        std::cerr << "korvel-replay: could not write " << file << std::endl;
    }
}

// The drawn frame of a pass: the shots asked for it, then the end after the last pass.
void finishPass(GLFWwindow* window, const std::vector<Screenshot>& shots, long pass, long lastPass)
{
    for (const Screenshot& shot : shots) {
        if (shot.pass == pass) {
            writeShot(window, shot.file);
        }
    }
    if (pass >= lastPass) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
}

// "outcome: WORD", with the score and the best after a win; then the foot when asked for.
void printOutcome(const RunSummary& summary, bool withFoot)
{
    std::cout << "outcome: " << outcomeWord({summary.dead, summary.won, summary.timeUp});
    if (summary.won) {
        std::cout << " score=" << summary.secondsLeft << " best=" << summary.best;
    }
    std::cout << std::endl;
    if (withFoot) {
        printFoot(std::cout, playerFoot());
    }
}

// A recording's times are its own clock's, from the start of the attempt it was kept for: a
// shot or the end at T seconds is the first pass that sampled T or more after it. The passes
// before that attempt are played without drawing. It ends with its last pass by default.
int playRecording(const ReplayArguments& arguments, RunRecording run)
{
    if (run.build != recordingBuild()) {
        std::cerr << "korvel-replay: recorded by " << run.build << ", played by "
                  << recordingBuild() << ": it may play differently" << std::endl;
    }
    // A recording's passes last what the player's frames lasted, so its mix has no fixed share
    // of samples per pass to record; it is still never played to the speakers.
    if (!arguments.soundFile.empty()) {
        usage("--sound records the mix of routes only");
    }
    SoundCapture silent(scriptedFrameTime, 0);
    const AttemptSnapshot snapshot = run.snapshot;
    const bool fromSnapshot = run.format >= 2;
    RecordingReplay replay(std::move(run));
    const long lastPass = arguments.until ? replay.passAt(*arguments.until) : replay.lastPass();
    std::vector<Screenshot> shots = arguments.shots;
    for (Screenshot& shot : shots) {
        shot.pass = replay.passAt(shot.time);
    }
    RunOptions options;
    options.soundCapture = &silent;
    options.script = &replay;
    options.startFrom = fromSnapshot ? &snapshot : nullptr;
    options.drawsPass = [&] { return replay.drawn(); };
    options.beforeSwap = [&](GLFWwindow* window) {
        replay.checkFoot(playerFoot());
        finishPass(window, shots, replay.pass(), lastPass);
    };
    options.onFinish = [&](const RunSummary& summary) {
        printOutcome(summary, arguments.printFoot);
    };
    const int status = runGame(options);
    if (status == 0 && replay.firstDifference() >= 0) {
        std::cerr << "korvel-replay: the player left the recorded run at pass "
                  << replay.firstDifference() << std::endl;
        return 1;
    }
    return status;
}

// Exit 0 when the run reproduces, 1 naming what differs.
int verify(const std::string& file, const RunRecording& run)
{
    const RunCheck check = checkRun(run);
    if (!check.difference.empty()) {
        std::cerr << "korvel-replay: " << file << ": " << check.difference << std::endl;
        return 1;
    }
    std::cout << verifiedLine(check.end) << std::endl;
    return 0;
}

// A file that begins as a recording is played as one; a recording that cannot be read is
// refused like a bad route.
std::optional<int> playIfRecording(const ReplayArguments& arguments)
{
    std::ifstream in(arguments.routeFile, std::ios::binary);
    std::string start(32, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    if (!looksLikeRecording(start)) {
        if (arguments.verify || arguments.info) {
            std::cerr << arguments.routeFile << ":1: not a run: --verify and --info take runs"
                      << std::endl;
            return 2;
        }
        return std::nullopt;
    }
    ParseError error;
    std::optional<RunRecording> run = loadRecording(arguments.routeFile, error);
    if (!run) {
        std::cerr << arguments.routeFile << ":" << error.line << ": " << error.message << std::endl;
        return 2;
    }
    if (arguments.info) {
        describeRun(std::cout, *run);
        return 0;
    }
    if (arguments.verify) {
        return verify(arguments.routeFile, *run);
    }
    return playRecording(arguments, std::move(*run));
}

// A route is played from program start on a virtual clock, each pass one frame time long.
int playRoute(const ReplayArguments& arguments, const Route& route)
{
    // Without --until the run ends two seconds of game time after the route's last event.
    double lastEvent = 0.0;
    for (const RouteEvent& event : route.events) {
        lastEvent = std::max(lastEvent, event.time);
    }
    const long lastPass =
        passForTime(arguments.until.value_or(lastEvent + 2.0), arguments.frameTime);

    RouteInput script(route, arguments.frameTime);
    RunOptions options;
    options.script = &script;
    // A replay never plays to the speakers: its clock is not the listener's. The mix is
    // rendered only when it is to be saved.
    const bool recording = !arguments.soundFile.empty();
    SoundCapture sound(arguments.frameTime, recording ? lastPass + 1 : 0);
    options.soundCapture = &sound;
    options.beforeSwap = [&](GLFWwindow* window) {
        if (recording) {
            sound.renderPass();
        }
        finishPass(window, arguments.shots, script.pass(), lastPass);
    };
    options.onFinish = [&](const RunSummary& summary) {
        printOutcome(summary, arguments.printFoot);
    };
    const int status = runGame(options);
    if (recording && status == 0 && !sound.save(arguments.soundFile)) {
        std::cerr << "korvel-replay: could not write " << arguments.soundFile << std::endl;
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const ReplayArguments arguments = parseArguments(argc, argv);
    if (arguments.records) {
        // The records kept beside the best score, as the game finds them.
        printRecords(std::cout, loadRecords(recordsFolder(BestScore().path()), std::cerr));
        return 0;
    }
    if (const std::optional<int> status = playIfRecording(arguments)) {
        return *status;
    }
    ParseError error;
    const std::optional<Route> route = loadRoute(arguments.routeFile, error);
    if (!route) {
        if (error.line > 0) {
            std::cerr << arguments.routeFile << ":" << error.line << ": " << error.message
                      << std::endl;
        } else {
            std::cerr << "korvel-replay: " << error.message << std::endl;
        }
        return 2;
    }

    return playRoute(arguments, *route);
}
