#pragma once

#include "present/hud_layout.h"
#include "render/text_batch.h"

struct TextRenderer;

// The HUD's layout of the last frame, kept while what it shows stays the same: the timer text
// changes once a second, so most frames draw without laying out (and allocating) anything.
class HudDrawer {
  public:
    // Writes the HUD over the composed frame in white with a dark outline: each block of
    // layoutHud, fitted to the window's width, between switching alpha blending on and off;
    // then the race's texts of layoutTimeAttack, outlined too, in colour where they compare.
    // Afterwards no texture is bound on units 0 and 1, unit 1 is the active one and no vertex
    // array is bound. Lays out again only when the inputs shown differ from the last frame's.
    void draw(const HudInputs& inputs, TextRenderer& text);

  private:
    void layOutRace(const HudInputs& inputs, TextRenderer& text);

    bool laidOut = false;
    HudInputs shown;
    std::vector<HudBlock> blocks;
    // The race's texts, many more than the specified ones, drawn from the font's atlas in a
    // few calls whatever their number.
    TextBatch race;
    bool raceLaidOut = false;
    HudInputs raceShown;
    TextAdvances advances{}; // of the font, taken at the first layout
};
