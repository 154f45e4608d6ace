#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1; // exit code, or -1 when killed by a signal or timed out
    int signal = 0;      // terminating signal, 0 when it exited
    bool timedOut = false;
    std::string output;   // standard output
    double seconds = 0.0; // wall time until it ended
};

// Runs a program in a working directory with standard input closed (reads see end of file),
// captures its standard output, and kills it and its children if it outlives the timeout.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                         double timeoutSeconds);
