// Stands before the system's own GLFW/glfw3.h for the windowless libraries (physics, audio, the
// rules, runs and the headless half of render), so that including it there fails the build:
// only render/, input/ and shell/ reach GL or the window.
#error "a windowless library includes GLFW/glfw3.h"
