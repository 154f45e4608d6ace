#pragma once

#include <functional>

struct GLFWwindow;

// What differs between the interactive game and a scripted run: where time comes from, where
// input events come from, and what happens after each presented frame. Empty members take the
// interactive defaults (glfwGetTime, glfwPollEvents, nothing).
struct RunOptions {
    std::function<double()> clock;
    std::function<void(GLFWwindow*)> pollEvents;
    std::function<void(GLFWwindow*)> afterSwap;
};

// Start-up, the frame loop until the window is asked to close, and shutdown. Returns the
// process exit status: 0 after a normal shutdown, 1 after a start-up failure.
int runGame(const RunOptions& options = {});
