#pragma once

// The startup measurement's child: the game's start-up from the parent's launch of this process
// to the return of the first swap, then shutdown. Returns the exit status.
int runStartup();
