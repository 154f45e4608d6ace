#pragma once

// After a fatal start-up failure the player gets to read the message: waits for one key press
// on a terminal. Returns at once when nobody can answer (standard input not a terminal, or at
// end of file), so scripts and tests never hang.
void waitForAcknowledgement();

// Prints "ERROR: " and the text as one flushed line, then waits for the acknowledgement.
void reportFatal(const char* text);

// Ends start-up after a failure whose lines are the whole message (a shader that cannot be
// built): prints them as they are, waits for the acknowledgement and exits with status 1.
[[noreturn]] void endStartup(const char* lines);
