#pragma once

#include "game/input_codes.h"

struct GLFWwindow;
struct KeyEffects;

// The window's input callbacks. They run inside glfwPollEvents, turn the window's codes into the
// game's and apply to GL and the window what the input rules ask for.
void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
void mouseButtonCallback(GLFWwindow* window, int button, int action, int mods);
void scrollCallback(GLFWwindow* window, double xoffset, double yoffset);

// Applies to GL and the window what a key event asked for: closing it, the polygon mode, face
// culling. Every source of key events hands its effects on through here.
void applyKeyEffects(GLFWwindow* window, const KeyEffects& effects);

// Installs the three callbacks on the window.
void installInputCallbacks(GLFWwindow* window);

// The window's code for a game key and action, for handing scripted events to the key callback
// as if they came from the keyboard.
int windowKeyCode(Key key);
int windowKeyAction(KeyAction action);
