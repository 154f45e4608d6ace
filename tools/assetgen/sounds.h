#pragma once

#include "audio/wav_file.h"

// The game's sounds, synthesised: mono, 16-bit, 44.1 kHz, short, and peaking well under full
// scale so that several can sound at once without clipping in the mix.
namespace sounds {

PcmSound jump();
PcmSound secondJump(); // a fifth above the first: the player hears which jump it was
PcmSound landing();
PcmSound knifeWhoosh();
PcmSound hazardHop();
PcmSound death();
PcmSound timeUp();
PcmSound win();
PcmSound tick();

// The kitchen's tune, about 14 s, played looping under the rest: its last sample runs on into
// its first.
PcmSound music();

} // namespace sounds
