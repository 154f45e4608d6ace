#include "support/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds)
{
    ProcessResult result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&started] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // a group of its own, so a time-out kills what it started too
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        _exit(chdir(workingDir.c_str()) != 0 ? 126 : (execv(args[0], args.data()), 127));
    }
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t count = 1;
    while (count > 0 && !(result.timedOut = elapsed() > timeoutSeconds)) {
        pollfd waitFor{pipeEnds[0], POLLIN, 0};
        if (poll(&waitFor, 1, 100) > 0 && (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
            result.output.append(buffer, static_cast<size_t>(count));
        }
    }
    if (result.timedOut) {
        kill(-child, SIGKILL);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.seconds = elapsed();
    result.exitStatus = WIFEXITED(status) && !result.timedOut ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}
