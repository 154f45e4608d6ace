#include "app/input_state.h"

InputState input;
