#pragma once

#include "game/key_input.h"

#include <iostream>

// One event through the input rules, as a pass with only that event applies it.
inline InputEffects hear(const InputEvent& event, std::ostream& log = std::cout)
{
    return applyInputEvents({&event, 1}, log);
}

inline InputEffects hearKey(Key key, KeyAction action, std::ostream& log = std::cout,
                            KeySource source = KeySource::keyboard)
{
    return hear(InputEvent::keyEvent(key, action, source), log);
}
