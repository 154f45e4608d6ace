#pragma once

// Sanitizer builds only (elsewhere it does nothing): keeps the GL driver that the current
// context loaded in memory until the process ends. The driver holds caches from its own
// globals; once the window system unloads it those blocks look leaked to the leak check, and
// with its code gone no suppression can name them. Call after a context was made current.
void keepGlDriverResident();
