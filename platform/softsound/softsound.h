// softsound: the native sound device. One shared library per process (the modules and the host
// link the same one), so the buffers a module makes through platform/sound_platform.h are the
// buffers the host mixes and reports.
//
// The device keeps every buffer and mixes all playing buffers into one stereo stream of signed
// 16-bit samples at the output rate, honouring each buffer's play position, looping, pan and
// volume (hundredths of a decibel, as DirectSound counts them) and frequency. Mixing is exact
// integer arithmetic and depends only on how many frames have been mixed so far: mixing 2 x 100
// frames gives the same samples as mixing 200.
//
// This header is the host's side; modules use platform/sound_platform.h only.
#pragma once

#include "platform/sound_platform.h"

#include <cstddef>
#include <cstdint>

constexpr uint32_t kSoftsoundDefaultRate = 44100;
constexpr int kSoftsoundChannels = 2;  // interleaved left, right

// What the device knows about one live buffer.
struct SoftsoundBufferInfo {
    uint32_t id;             // 1, 2, ... in order of creation, never reused
    uint32_t duplicate_of;   // id of the buffer it was duplicated from; 0 for a fresh buffer
    const uint8_t* samples;  // the buffer's memory (shared with its duplicates)
    uint32_t bytes;
    uint16_t channels;
    uint16_t bits_per_sample;
    uint32_t format_rate;    // the format's own samples a second
    bool playing;
    bool looping;
    bool lost;
    uint32_t position;       // play position in bytes
    uint32_t starts;         // accepted plays that set a stopped buffer going
    uint32_t stops;          // stops that silenced a playing buffer (not its own end)
    int32_t pan;
    int32_t volume;
    uint32_t frequency;      // samples a second it plays at now
};

SOUND_PLATFORM_API void softsound_set_output_rate(uint32_t samples_per_second);
SOUND_PLATFORM_API uint32_t softsound_output_rate();

// Mixes the next `frames` frames (2 x frames samples) of every playing buffer into `out`,
// which it overwrites, and moves the buffers on. A once-only buffer that reaches its end stops
// and goes back to its start.
SOUND_PLATFORM_API void softsound_mix(int16_t* out, size_t frames);

// Live buffers in order of creation.
SOUND_PLATFORM_API size_t softsound_buffer_count();
SOUND_PLATFORM_API bool softsound_buffer_info(size_t index, SoftsoundBufferInfo* out);
// The same for a buffer handle; false for null.
SOUND_PLATFORM_API bool softsound_describe(const SoundBuffer* buffer, SoftsoundBufferInfo* out);

// The window that platform_active_window() answers (null at start).
SOUND_PLATFORM_API void softsound_set_active_window(void* window);

// Makes the device fail to open (as with no sound hardware) until called again with false.
SOUND_PLATFORM_API void softsound_set_unavailable(bool unavailable);

// Loses the memory of every buffer, as a device does when another program takes it over: the
// buffers stop, report "lost" and must be restored and written again.
SOUND_PLATFORM_API void softsound_lose_all();
