#include "support/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

ProcessResult runOnce(const std::vector<std::string>& argv, const std::string& workingDir,
                      double timeoutSeconds)
{
    ProcessResult result;
    int outPipe[2];
    int errorPipe[2];
    if (pipe(outPipe) != 0 || pipe(errorPipe) != 0) {
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&started] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // a group of its own, so a time-out kills what it started too
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errorPipe[1], STDERR_FILENO);
        for (const int end : {outPipe[0], outPipe[1], errorPipe[0], errorPipe[1]}) {
            close(end);
        }
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        _exit(chdir(workingDir.c_str()) != 0 ? 126 : (execv(args[0], args.data()), 127));
    }
    close(outPipe[1]);
    close(errorPipe[1]);
    pollfd streams[] = {{outPipe[0], POLLIN, 0}, {errorPipe[0], POLLIN, 0}};
    std::string* const into[] = {&result.output, &result.errors};
    char buffer[4096];
    while ((streams[0].fd >= 0 || streams[1].fd >= 0) &&
           !(result.timedOut = elapsed() > timeoutSeconds)) {
        if (poll(streams, 2, 100) <= 0) {
            continue;
        }
        for (int stream = 0; stream < 2; ++stream) {
            if (streams[stream].revents == 0) {
                continue;
            }
            const ssize_t count = read(streams[stream].fd, buffer, sizeof buffer);
            if (count > 0) {
                into[stream]->append(buffer, static_cast<size_t>(count));
            } else {
                close(streams[stream].fd);
                streams[stream].fd = -1; // poll skips it from now on
            }
        }
    }
    if (result.timedOut) {
        kill(-child, SIGKILL);
    }
    for (const pollfd& stream : streams) {
        if (stream.fd >= 0) {
            close(stream.fd);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.seconds = elapsed();
    result.exitStatus = WIFEXITED(status) && !result.timedOut ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds)
{
    // The leak checker of a sanitizer build stops every thread at exit to read their stacks, and
    // on a loaded machine its stopper now and then crashes among the GL driver's threads, ending
    // a run that found nothing with status 1. That crash is the checker's, not the program's:
    // such a run is made again, once. A leak it found is reported as usual and fails the test.
    ProcessResult result = runOnce(argv, workingDir, timeoutSeconds);
    if (result.errors.find("LeakSanitizer has encountered a fatal error") != std::string::npos) {
        std::fprintf(stderr, "%s(the leak checker itself crashed: running it again)\n",
                     result.errors.c_str());
        result = runOnce(argv, workingDir, timeoutSeconds);
    }
    std::fputs(result.errors.c_str(), stderr); // shown with the test's own output, as before
    return result;
}
