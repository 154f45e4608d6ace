#pragma once

// After a fatal start-up failure the player gets to read the message: waits for one key press
// on a terminal. Returns at once when nobody can answer (standard input not a terminal, or at
// end of file), so scripts and tests never hang.
void waitForAcknowledgement();

// Prints "ERROR: " and the text as one flushed line, then waits for the acknowledgement.
void reportFatal(const char* text);
