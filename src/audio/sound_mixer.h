#pragma once

#include "audio/sound_names.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <glm/vec3.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// The game's sounds mixed by OpenAL: one buffer per sound file and every source made at start,
// so playing a sound during a frame only starts a source; the music loops on a source of its own
// from the start. Never a reason to stop the game: with no device the mixer is silent, and a
// sound whose file cannot be read stays silent (the music too); each says so in one line on
// stderr.
class SoundMixer {
  public:
    // Where the mix goes: the default device, or a loopback device that mixes only when
    // render() asks, for recording a run on its own clock.
    enum class Output { speakers, loopback };

    static constexpr int sampleRate = 44100;
    static constexpr std::size_t placedVoices = 7; // six knives and the hazard

    // The sounds are read from assetFolder's "sounds/". The volumes, 0 to 1, scale the music and
    // every effect; at 1 an effect plays as its file was made.
    SoundMixer(Output output, const std::filesystem::path& assetFolder, float musicVolume,
               float effectsVolume);
    ~SoundMixer();
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    // A sound heard as if at the listener, whatever it does.
    void play(soundNames::SoundIndex sound);
    // A sound at a place in the world, fading with its distance from the listener. Each voice
    // plays one sound at a time: a new one cuts the last.
    void playAt(soundNames::SoundIndex sound, std::size_t voice, const glm::vec3& position);

    // The ears: where they are, where they look and which way is up on the screen.
    void setListener(const glm::vec3& position, const glm::vec3& forward, const glm::vec3& up);

    // Off silences what plays and starts nothing new until on again; the music goes on unheard,
    // so it comes back where the tune has got to.
    void setOn(bool on);

    // Paused holds every sound where it is, the music too, and starts nothing new; unpaused,
    // the sounds it held play on from there.
    void setPaused(bool paused);

    // Loopback only: the next frames of the mix, as interleaved stereo samples.
    void render(std::span<std::int16_t> stereo);

  private:
    void openSpeakers();
    void openLoopback();
    void createSources(float musicVolume, float effectsVolume);
    bool mayStart(soundNames::SoundIndex sound) const;
    void start(ALuint source, soundNames::SoundIndex sound);
    std::vector<ALuint> playingSources() const;

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    bool on = true;
    bool paused = false;
    std::array<ALuint, soundNames::soundCount> buffers{};    // 0: that sound is silent
    std::array<ALuint, soundNames::soundCount> atListener{}; // one source per sound
    std::array<ALuint, placedVoices> placed{};
    ALuint musicBuffer = 0; // 0: no music
    ALuint music = 0;
    std::vector<ALuint> held; // what the pause stopped, to play on
};
