#pragma once

#include "game/input_event.h"
#include "game/key_bindings.h"

#include <vector>

struct GLFWwindow;

// Where the window's events go: the list they are appended to, the player's keys they are
// heard through, and whether the window's focus counts (not while a script plays: the window
// of a replay is not where its player is).
struct WindowHearing {
    std::vector<InputEvent> events;
    KeyBindings keys;
    bool focusHeard = true;
};

// The window's input callbacks. They run inside glfwPollEvents and turn the window's codes into
// the game's events, appended in arrival order to the hearing the window was given.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
void mouseButtonCallback(GLFWwindow* window, int button, int action, int mods);
void scrollCallback(GLFWwindow* window, double xoffset, double yoffset);
void focusCallback(GLFWwindow* window, int focused);

// Installs the callbacks on the window, which from then on appends what it hears to
// hearing's events. The hearing must outlive the window's event polls.
void installInputCallbacks(GLFWwindow* window, WindowHearing& hearing);
