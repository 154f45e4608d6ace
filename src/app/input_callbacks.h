#pragma once

struct GLFWwindow;

// The window's input callbacks. They run inside glfwPollEvents and apply to GL and the window
// what the input rules ask for.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
void mouseButtonCallback(GLFWwindow* window, int button, int action, int mods);
void scrollCallback(GLFWwindow* window, double xoffset, double yoffset);

// Installs the three callbacks on the window.
void installInputCallbacks(GLFWwindow* window);
