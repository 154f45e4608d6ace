#include "session_bench.h"

#include "process_measures.h"
#include "session_folder.h"
#include "session_report.h"

#include "subprocess/subprocess.h"

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Far beyond the session itself, so that only a child that hangs is cut off.
double sessionTimeout(long minutes)
{
    return 300.0 + 90.0 * static_cast<double>(minutes);
}

constexpr double replayTimeout = 600.0;

struct SessionFigures {
    std::vector<SessionMinute> minutes;
    std::vector<double> deathSeconds;
    long deaths = 0;
    long restarts = 0;
    double finalRunBytes = 0.0;
    double peakResidentMb = 0.0;
};

// The minutes, one line of each figure per minute in order; all of them or a failure.
std::vector<SessionMinute> readMinutes(FigureReader& child, long expected)
{
    const std::vector<double> resident = child.numbers(Figure::MinuteRssMb);
    const std::vector<double> runBytes = child.numbers(Figure::MinuteRunBytes);
    const std::vector<double> passes = child.numbers(Figure::MinutePasses);
    const std::vector<double> seconds = child.numbers(Figure::MinuteSeconds);
    const std::vector<double> longest = child.numbers(Figure::MinuteLongestMs);
    const std::vector<double> median = child.numbers(Figure::MinuteMedianMs);
    const std::vector<double> allocations = child.numbers(Figure::MinuteAllocations);
    const std::vector<double> load = child.numbers(Figure::MinuteLoad);
    const auto count = static_cast<std::size_t>(expected);
    for (const auto* column :
         {&resident, &runBytes, &passes, &seconds, &longest, &median, &allocations, &load}) {
        if (column->size() != count && child.problems().empty()) {
            throw MeasurementFailed(BenchMode::Session,
                                    "it reported " + std::to_string(column->size()) + " of " +
                                        std::to_string(expected) + " minutes");
        }
    }
    std::vector<SessionMinute> minutes(child.problems().empty() ? count : 0);
    for (std::size_t i = 0; i < minutes.size(); ++i) {
        SessionMinute& minute = minutes[i];
        minute.residentMb = resident[i];
        minute.lastRunBytes = runBytes[i];
        minute.passes = static_cast<long>(passes[i]);
        minute.seconds = seconds[i];
        minute.longestFrameMs = longest[i];
        minute.medianFrameMs = median[i];
        minute.allocationsPerPass = allocations[i];
        minute.load = load[i];
    }
    return minutes;
}

// Every cycle must end on the floor: one death before each restart, and the death the session
// closed at.
void requireDeathEachCycle(const SessionFigures& figures)
{
    if (figures.deaths != figures.restarts + 1) {
        throw MeasurementFailed(BenchMode::Session,
                                "the player died " + std::to_string(figures.deaths) + " times in " +
                                    std::to_string(figures.restarts + 1) +
                                    " attempts: not every cycle ended on the floor");
    }
}

SessionFigures measureSession(const ChildProgram& program, const BenchOptions& options,
                              const SessionFolder& folder)
{
    const ChildProgram inFolder{program.path, folder.path().string()};
    FigureReader child = runMeasurement(inFolder, BenchMode::Session, options,
                                        sessionTimeout(options.sessionMinutes));
    SessionFigures figures;
    figures.minutes = readMinutes(child, options.sessionMinutes);
    figures.deaths = static_cast<long>(child.number(Figure::Deaths));
    figures.deathSeconds = child.numbers(Figure::DeathSeconds);
    figures.restarts = static_cast<long>(child.number(Figure::Restarts));
    figures.finalRunBytes = child.number(Figure::FinalRunBytes);
    figures.peakResidentMb = child.number(Figure::PeakRssMb);
    requireComplete(child, BenchMode::Session);
    requireDeathEachCycle(figures);
    if (figures.finalRunBytes <= 0.0) {
        throw MeasurementFailed(BenchMode::Session, "it left no last.run");
    }
    return figures;
}

// What korvel-replay OPTION RUN printed, its errors among it, in a fresh process in the folder.
ProcessResult replayRun(const ChildProgram& program, const SessionFolder& folder,
                        const std::string& option, const fs::path& run)
{
    const fs::path replay = fs::path(program.path).parent_path() / "korvel-replay";
    return runProcess(
        {"/bin/sh", "-c", "exec \"$0\" \"$1\" \"$2\" 2>&1", replay.string(), option, run.string()},
        folder.path().string(), replayTimeout);
}

std::string trimmed(const std::string& text)
{
    const std::size_t end = text.find_last_not_of('\n');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// Reports korvel-replay --verify of run; true when it verified.
bool reportVerify(const ChildProgram& program, const SessionFolder& folder, const fs::path& run,
                  std::ostream& out)
{
    const ProcessResult verify = replayRun(program, folder, "--verify", run);
    out << "korvel-replay --verify " << run.string() << ": " << trimmed(verify.output) << " ("
        << describeEnd(verify) << ")\n";
    return verify.exitStatus == 0;
}

// Checks the runs the session saved, each in a fresh process; true when all verified.
bool reportReplays(const ChildProgram& program, const SessionFolder& folder, std::ostream& out)
{
    bool verified = reportVerify(program, folder, folder.lastRun(), out);
    if (fs::exists(folder.path() / folder.bestRun())) {
        verified = reportVerify(program, folder, folder.bestRun(), out) && verified;
    } else {
        out << "best.run: none saved (no attempt set a new best)\n";
    }
    const ProcessResult info = replayRun(program, folder, "--info", folder.lastRun());
    out << "korvel-replay --info " << folder.lastRun().string() << " (" << describeEnd(info)
        << "):\n";
    std::istringstream lines(info.output);
    for (std::string line; std::getline(lines, line);) {
        out << "    " << line << "\n";
    }
    return verified && info.exitStatus == 0;
}

void reportSession(const SessionFigures& figures, const BenchOptions& options,
                   const std::string& loadBefore, std::ostream& out)
{
    out << "Long session: " << options.sessionMinutes << " minutes, window "
        << SessionFolder::windowPixels << "x" << SessionFolder::windowPixels << ", "
        << figures.deaths << " deaths in " << figures.restarts + 1
        << " attempts, peak resident memory " << figures.peakResidentMb << " MB\n"
        << "load average before / after: " << loadBefore << " / " << loadAverage() << "\n\n"
        << formatMinuteTable(figures.minutes) << "\n"
        << formatSessionSummary(
               summarizeSession(figures.minutes, figures.finalRunBytes, figures.deathSeconds));
}

} // namespace

int runSessionBench(const BenchOptions& options, const ChildProgram& program, std::ostream& out,
                    std::ostream& errors)
{
    const std::string loadBefore = loadAverage();
    try {
        const SessionFolder folder(fs::path(program.workingDir) / "assets");
        const SessionFigures figures = measureSession(program, options, folder);
        reportSession(figures, options, loadBefore, out);
        if (!reportReplays(program, folder, out)) {
            errors << "korvel-bench: a run the session saved did not verify (see above)"
                   << std::endl;
            return 1;
        }
    } catch (const std::runtime_error& failure) {
        errors << "korvel-bench: " << failure.what() << "; no figures written" << std::endl;
        return 1;
    }
    return 0;
}
