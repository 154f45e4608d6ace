#pragma once

// The ceiling measurement's child: an empty clear-and-swap loop of frames at the game's window
// size and context, what the machine can present at best. Returns the exit status.
int runCeiling(long frames);
