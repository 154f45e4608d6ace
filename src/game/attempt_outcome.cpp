#include "game/attempt_outcome.h"

const char* outcomeWord(const AttemptOutcome& ended)
{
    if (ended.won) {
        return "won";
    }
    if (ended.dead) {
        return "dead";
    }
    return ended.timeUp ? "timeup" : "playing";
}
