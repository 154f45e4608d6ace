#pragma once

// How the current attempt ended, if it did. Program-wide: the HUD and the post-processing pass
// read them. More than one can be set in the same frame; each stays set until the restart,
// which makes the outcome anew.
struct AttemptOutcome {
    bool dead = false;   // touched something deadly
    bool won = false;    // touched the pizza
    bool timeUp = false; // the 120 seconds ran out
};

// The outcome's one word, as the tools print it: "won", "dead", "timeup", or "playing" while
// none is set. A win is named first: a win in the frame the time ran out is still scored.
const char* outcomeWord(const AttemptOutcome& ended);
