#pragma once

#include "game/input_event.h"

#include <vector>

struct GLFWwindow;

// The window's input callbacks. They run inside glfwPollEvents and turn the window's codes into
// the game's events, appended in arrival order to the list the window was given.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
void mouseButtonCallback(GLFWwindow* window, int button, int action, int mods);
void scrollCallback(GLFWwindow* window, double xoffset, double yoffset);

// Installs the three callbacks on the window, which from then on appends what it hears to
// heard. The list must outlive the window's event polls.
void installInputCallbacks(GLFWwindow* window, std::vector<InputEvent>& heard);
