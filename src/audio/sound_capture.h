#pragma once

#include "audio/wav_file.h"

#include <cstdint>
#include <filesystem>
#include <vector>

class SoundMixer;

// A run's mix recorded on the game's own clock, for tests and trailers: after each frame pass
// the loopback mixer renders exactly that pass's share of samples, so the sound of a pass lines
// up with its picture and the same run always gives the same file.
class SoundCapture {
  public:
    // frameTime: the seconds of one pass; passes: how many the run will have, to size the take.
    SoundCapture(double frameTime, long passes);

    // The game's loopback mixer; until one is attached (or when it is gone), passes record
    // silence.
    void attach(SoundMixer* loopbackMixer) { mixer = loopbackMixer; }

    // The samples of the pass that has just ended.
    void renderPass();

    // 16-bit stereo at the mixer's rate. False when the file cannot be written.
    bool save(const std::filesystem::path& file) const;

  private:
    SoundMixer* mixer = nullptr;
    double frameTime;
    long pass = 0;
    PcmSound take;
};
