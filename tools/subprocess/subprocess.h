#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1; // exit code, or -1 when killed by a signal, timed out or never started
    int signal = 0;      // terminating signal, 0 when it exited
    bool timedOut = false;
    std::string output;   // standard output
    double seconds = 0.0; // wall time until it ended
};

// Runs a program (argv[0] is its path) in a working directory with standard input closed (reads
// see end of file), captures its standard output, and kills it and its children if it outlives
// the timeout. Standard error stays this process's. The child sees this process's environment
// with the NAME=VALUE entries of environment on top, each replacing a variable of its name.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds, const std::vector<std::string>& environment = {});

// How the process ended, for a message: "exited with status 2", "was killed by signal 9
// (Killed)", "timed out after 60 s".
std::string describeEnd(const ProcessResult& result);
