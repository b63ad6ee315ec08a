// gsound: named sounds for a gauge, played once or in a loop from RIFF WAVE recordings that the
// gauge's own module carries as raw-data resources.
//
// At start-up the library opens the sound device and turns each sound of the client's list into
// a voice set: one or more static buffers that each hold the whole sound. It restores and refills
// buffers that the platform reports lost before it uses them. Results: 1 for success, 0 or null
// for failure; a client may ignore them all. One client per module: the device and the resource
// module are module-wide. Not reentrant; everything runs on the client's thread.
#pragma once

#include "platform/sound_platform.h"

#include <cstdint>

struct VoiceSet {
    const uint8_t* wave_data;  // first sample byte, inside the resource (which stays mapped)
    uint32_t wave_size;        // sample bytes: the length of the "data" chunk
    int32_t voice_count;       // at least 1
    int32_t next_voice;        // the voice to try first
    SoundBuffer* voices[];     // voice_count entries; any may be null
};

// One sound of the client, usually static. The descriptor's address doubles as its name string.
struct SoundDescriptor {
    char name[32];             // NUL-terminated resource name
    VoiceSet* voice_set;       // null until loaded, null again after shut-down
};

constexpr uint32_t kGsoundPlayOnce = 0;
constexpr uint32_t kGsoundPlayLooping = kSoundPlayLooping;

// Opens the device (bound to the window active now) and loads every sound of the null-terminated
// list with one voice, from the resources of `module`.
void gsound_start(SoundDescriptor* const* sounds, void* module);
// Frees every voice set of the list and closes the device; silences whatever still plays.
void gsound_shutdown(SoundDescriptor* const* sounds);

// 1 when a voice of the sound started, else 0 (no sound, busy single voice, looping refused for a
// sound of several voices, lost buffer that could not be restored, platform refusal).
int32_t gsound_play(SoundDescriptor* sound, uint32_t play_flags);
// Stops and rewinds every voice of the sound: 1 if the sound is loaded, else 0.
int32_t gsound_stop(SoundDescriptor* sound);

// Apply to the voice that a play would pick, clamped: pan to -10000..10000, volume to -10000..0
// (hundredths of a decibel), frequency to 100..100000 samples a second.
void gsound_set_pan(SoundDescriptor* sound, int32_t pan);
void gsound_set_volume(SoundDescriptor* sound, int32_t volume);
void gsound_set_frequency(SoundDescriptor* sound, uint32_t frequency);
