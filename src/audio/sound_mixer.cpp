#include "audio/sound_mixer.h"

#include "audio/wav_file.h"

#include <AL/alext.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

// Placed sounds are full within a few steps and gone beyond 90 units, so the far end of the
// kitchen does not murmur under what happens near the player.
constexpr ALfloat fullVolumeDistance = 8.0f;
constexpr ALfloat silentDistance = 90.0f;

// OpenAL probes the machine's sound systems, whose libraries print to stderr when there is no
// sound card. The game reports the outcome itself in one line, so their chatter is held back.
ALCdevice* openDefaultDeviceQuietly()
{
    std::cerr.flush();
    const int savedStderr = dup(STDERR_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY);
    if (savedStderr >= 0 && nowhere >= 0) {
        dup2(nowhere, STDERR_FILENO);
    }
    ALCdevice* device = alcOpenDevice(nullptr);
    if (savedStderr >= 0 && nowhere >= 0) {
        dup2(savedStderr, STDERR_FILENO);
    }
    for (const int descriptor : {savedStderr, nowhere}) {
        if (descriptor >= 0) {
            close(descriptor);
        }
    }
    return device;
}

std::optional<PcmSound> readSound(const std::filesystem::path& file, std::string& problem)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = "cannot be read";
        return std::nullopt;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    return parseWav(std::as_bytes(std::span(bytes)), problem);
}

// What a file that cannot be read leaves out, said after its problem.
ALuint loadBuffer(const std::filesystem::path& file, const char* withoutIt)
{
    std::string problem;
    const std::optional<PcmSound> sound = readSound(file, problem);
    if (!sound) {
        std::cerr << "korvel: warning: " << file.string() << ": " << problem << "; " << withoutIt
                  << std::endl;
        return 0;
    }
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, sound->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                 sound->samples.data(), static_cast<ALsizei>(sound->samples.size() * 2),
                 static_cast<ALsizei>(sound->sampleRate));
    return buffer;
}

ALint sourceState(ALuint source)
{
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

} // namespace

SoundMixer::SoundMixer(Output output, const std::filesystem::path& assetFolder, float musicVolume,
                       float effectsVolume)
{
    if (output == Output::loopback) {
        openLoopback();
    } else {
        openSpeakers();
    }
    if (context == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        const auto sound = static_cast<soundNames::SoundIndex>(i);
        buffers[i] =
            loadBuffer(assetFolder / soundNames::soundFile(sound), "that sound stays silent");
    }
    musicBuffer = loadBuffer(assetFolder / soundNames::musicFile(), "playing without music");
    createSources(musicVolume, effectsVolume);
    if (music != 0) {
        alSourcePlay(music);
    }
}

SoundMixer::~SoundMixer()
{
    if (context != nullptr) {
        alDeleteSources(static_cast<ALsizei>(atListener.size()), atListener.data());
        alDeleteSources(static_cast<ALsizei>(placed.size()), placed.data());
        if (music != 0) {
            alDeleteSources(1, &music);
        }
        for (const ALuint buffer : buffers) {
            if (buffer != 0) {
                alDeleteBuffers(1, &buffer);
            }
        }
        if (musicBuffer != 0) {
            alDeleteBuffers(1, &musicBuffer);
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device != nullptr) {
        alcCloseDevice(device);
    }
}

void SoundMixer::openSpeakers()
{
    device = openDefaultDeviceQuietly();
    if (device != nullptr) {
        context = alcCreateContext(device, nullptr);
    }
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        std::cerr << "korvel: warning: no audio device could be opened; playing without sound"
                  << std::endl;
        if (context != nullptr) {
            alcDestroyContext(context);
            context = nullptr;
        }
    }
}

// Stereo 16-bit at the sounds' own rate, without head-related filtering, so the recording is
// the plain mix and the same run always gives the same samples.
void SoundMixer::openLoopback()
{
    loopback = true;
    const auto openLoopbackDevice = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    if (openLoopbackDevice != nullptr) {
        device = openLoopbackDevice(nullptr);
    }
    if (device != nullptr) {
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                     ALC_STEREO_SOFT,
                                     ALC_FORMAT_TYPE_SOFT,
                                     ALC_SHORT_SOFT,
                                     ALC_FREQUENCY,
                                     sampleRate,
                                     ALC_HRTF_SOFT,
                                     ALC_FALSE,
                                     0};
        context = alcCreateContext(device, attributes);
    }
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        std::cerr << "korvel: warning: OpenAL's loopback device could not be opened; recording "
                     "silence"
                  << std::endl;
        if (context != nullptr) {
            alcDestroyContext(context);
            context = nullptr;
        }
    }
}

// A source's gain is 1 unless set, so an effects volume of 1 leaves the mix as the sounds were
// made; the music's source sits at the listener like the unplaced effects.
void SoundMixer::createSources(float musicVolume, float effectsVolume)
{
    alDistanceModel(AL_LINEAR_DISTANCE_CLAMPED);
    alGenSources(static_cast<ALsizei>(atListener.size()), atListener.data());
    for (const ALuint source : atListener) {
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcef(source, AL_GAIN, effectsVolume);
    }
    alGenSources(static_cast<ALsizei>(placed.size()), placed.data());
    for (const ALuint source : placed) {
        alSourcef(source, AL_REFERENCE_DISTANCE, fullVolumeDistance);
        alSourcef(source, AL_MAX_DISTANCE, silentDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
        alSourcef(source, AL_GAIN, effectsVolume);
    }
    if (musicBuffer != 0) {
        alGenSources(1, &music);
        alSourcei(music, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(music, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcei(music, AL_LOOPING, AL_TRUE);
        alSourcef(music, AL_GAIN, musicVolume);
        alSourcei(music, AL_BUFFER, static_cast<ALint>(musicBuffer));
    }
}

bool SoundMixer::mayStart(soundNames::SoundIndex sound) const
{
    return context != nullptr && on && !paused && buffers[sound] != 0;
}

void SoundMixer::start(ALuint source, soundNames::SoundIndex sound)
{
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[sound]));
    alSourcePlay(source);
}

void SoundMixer::play(soundNames::SoundIndex sound)
{
    if (mayStart(sound)) {
        start(atListener[sound], sound);
    }
}

void SoundMixer::playAt(soundNames::SoundIndex sound, std::size_t voice, const glm::vec3& position)
{
    if (mayStart(sound) && voice < placed.size()) {
        alSource3f(placed[voice], AL_POSITION, position.x, position.y, position.z);
        start(placed[voice], sound);
    }
}

void SoundMixer::setListener(const glm::vec3& position, const glm::vec3& forward,
                             const glm::vec3& up)
{
    if (context == nullptr) {
        return;
    }
    const ALfloat orientation[] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void SoundMixer::setOn(bool wanted)
{
    if (wanted == on) {
        return;
    }
    on = wanted;
    if (context == nullptr) {
        return;
    }
    alListenerf(AL_GAIN, on ? 1.0f : 0.0f);
    if (!on) {
        alSourceStopv(static_cast<ALsizei>(atListener.size()), atListener.data());
        alSourceStopv(static_cast<ALsizei>(placed.size()), placed.data());
    }
}

std::vector<ALuint> SoundMixer::playingSources() const
{
    std::vector<ALuint> playing;
    const auto addIfPlaying = [&playing](ALuint source) {
        if (sourceState(source) == AL_PLAYING) {
            playing.push_back(source);
        }
    };
    std::ranges::for_each(atListener, addIfPlaying);
    std::ranges::for_each(placed, addIfPlaying);
    if (music != 0) {
        addIfPlaying(music);
    }
    return playing;
}

// What the pause held and was stopped since (by the M switch) stays stopped: playing it again
// would start it over.
void SoundMixer::setPaused(bool wanted)
{
    if (wanted == paused) {
        return;
    }
    paused = wanted;
    if (context == nullptr) {
        return;
    }
    if (paused) {
        held = playingSources();
        alSourcePausev(static_cast<ALsizei>(held.size()), held.data());
        return;
    }
    std::erase_if(held, [](ALuint source) { return sourceState(source) != AL_PAUSED; });
    alSourcePlayv(static_cast<ALsizei>(held.size()), held.data());
    held.clear();
}

void SoundMixer::render(std::span<std::int16_t> stereo)
{
    static const auto renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
        alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (loopback && context != nullptr && renderSamples != nullptr) {
        renderSamples(device, stereo.data(), static_cast<ALCsizei>(stereo.size() / 2));
    } else {
        std::fill(stereo.begin(), stereo.end(), std::int16_t{0});
    }
}
