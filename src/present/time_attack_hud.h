#pragma once

#include "present/hud_layout.h"

class GameSession;
class RunKeeper;

// How long a split stays on the HUD after it is taken, in play time.
inline constexpr float splitShownSeconds = 3.0f;

// What the HUD shows of the race: the attempt's splits against the best run the keeper compares
// it with, and once won its time, medal, place and the records.
HudTimeAttack timeAttackOf(const GameSession& session, const RunKeeper& keeper);

// The race's texts, in window pixels, around the same centre as the end screens: during play a
// split just taken under the timer; on the win screen, below its specified lines, the time, the
// medal and the next one up, where the win placed, the sum of best, every split with its
// difference, and the records table. None of them covers a specified text at 800x800.
std::vector<HudText> layoutTimeAttack(const HudInputs& inputs);
