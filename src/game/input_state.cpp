#include "game/input_state.h"

InputState input;
