#include "support/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds, const std::vector<std::string>& extraEnv)
{
    ProcessResult result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return result;
    }
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        if (chdir(workingDir.c_str()) != 0) {
            _exit(126);
        }
        for (const std::string& entry : extraEnv) {
            putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(pipeEnds[1]);

    char buffer[4096];
    bool open = true;
    while (open) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (elapsed > timeoutSeconds) {
            result.timedOut = true;
            kill(-child, SIGKILL);
            break;
        }
        pollfd waitFor{pipeEnds[0], POLLIN, 0};
        if (poll(&waitFor, 1, 100) > 0) {
            const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
            if (count <= 0) {
                open = false;
            } else {
                result.output.append(buffer, static_cast<size_t>(count));
            }
        }
    }
    close(pipeEnds[0]);

    int status = 0;
    waitpid(child, &status, 0);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (WIFEXITED(status) && !result.timedOut) {
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}
