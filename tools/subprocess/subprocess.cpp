#include "subprocess/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

extern char** environ;

namespace {

std::string variableName(const std::string& entry)
{
    return entry.substr(0, entry.find('='));
}

// This process's environment with the extra entries laid over it.
std::vector<std::string> childEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> entries;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string name = variableName(*variable);
        const auto replaces = [&name](const std::string& entry) {
            return variableName(entry) == name;
        };
        if (std::none_of(extra.begin(), extra.end(), replaces)) {
            entries.emplace_back(*variable);
        }
    }
    entries.insert(entries.end(), extra.begin(), extra.end());
    return entries;
}

// The null-terminated array that exec wants; it points into strings, which must outlive it.
std::vector<char*> pointersInto(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point started)
{
    return std::chrono::duration<double>(Clock::now() - started).count();
}

// Reads the child's output until it closes it or the time-out passes; true when it passed.
bool readUntilClosed(int output, std::string& into, double timeoutSeconds,
                     Clock::time_point started)
{
    char buffer[4096];
    for (ssize_t count = 1; count > 0;) {
        if (secondsSince(started) > timeoutSeconds) {
            return true;
        }
        pollfd waitFor{output, POLLIN, 0};
        if (poll(&waitFor, 1, 100) > 0 && (count = read(output, buffer, sizeof buffer)) > 0) {
            into.append(buffer, static_cast<size_t>(count));
        }
    }
    return false;
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds, const std::vector<std::string>& environment)
{
    ProcessResult result;
    // Everything the child needs is made before the fork: the child only calls async-signal-safe
    // functions until exec.
    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = childEnvironment(environment);
    const std::vector<char*> args = pointersInto(arguments);
    const std::vector<char*> envp = pointersInto(variables);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return result;
    }
    const Clock::time_point started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // a group of its own, so a time-out kills what it started too
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        _exit(chdir(workingDir.c_str()) != 0 ? 126
                                             : (execve(args[0], args.data(), envp.data()), 127));
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return result;
    }
    setpgid(child, child); // also here, so that a kill right after the fork finds the group
    result.timedOut = readUntilClosed(pipeEnds[0], result.output, timeoutSeconds, started);
    if (result.timedOut) {
        kill(-child, SIGKILL);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.seconds = secondsSince(started);
    result.exitStatus = WIFEXITED(status) && !result.timedOut ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

std::string describeEnd(const ProcessResult& result)
{
    if (result.timedOut) {
        return "timed out after " + std::to_string(std::lround(result.seconds)) + " s";
    }
    if (result.signal != 0) {
        return "was killed by signal " + std::to_string(result.signal) + " (" +
               strsignal(result.signal) + ")";
    }
    if (result.exitStatus < 0) {
        return "could not be started";
    }
    return "exited with status " + std::to_string(result.exitStatus);
}
