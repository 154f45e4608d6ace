#pragma once

#include "app/hud_layout.h"

struct TextRenderer;

// Writes the HUD over the composed frame in white: each block of layoutHud between switching
// alpha blending on and off. Afterwards no texture is bound on units 0 and 1, unit 1 is the
// active one and no vertex array is bound.
void drawHud(const HudInputs& inputs, TextRenderer& text);
