#pragma once

class Shader;

// Loads the GL entry points for the context made current, the driver's extensions included
// (glewExperimental set, then glewInit). Returns false when they cannot be loaded.
bool loadGlEntryPoints();

// The rendering framework's own start-up, run once the window, its GL context and the GL entry
// points exist. Checks that a context is current and, when no program is bound yet, builds and
// binds the default shader (attribute 0 passed through with z negated, drawn in "fragColor",
// red unless set) so GL always has a valid program. Returns false, after printing why, when no
// context is current.
bool initFramework();

// Releases the default shader; no program is bound afterwards. Call before the window system is
// shut down.
void destroyFramework();
