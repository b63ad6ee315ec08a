// The private state of the software sound device, shared by its buffer operations and its mixer.
#pragma once

#include "softsound.h"

#include <cstdint>
#include <memory>
#include <vector>

struct SoundDevice {
    uint32_t references = 1;
    void* window = nullptr;
    uint32_t cooperative_level = 0;
};

struct SoundBuffer {
    uint32_t id = 0;
    uint32_t duplicate_of = 0;
    uint32_t references = 1;
    SoundDevice* device = nullptr;
    std::shared_ptr<std::vector<uint8_t>> memory;  // shared by duplicates
    uint32_t flags = 0;                            // kSoundCaps* bits it was made with
    uint16_t channels = 1;
    uint16_t bits = 8;
    uint16_t block_align = 1;                      // bytes of one frame
    uint32_t format_rate = 22050;

    bool playing = false;
    bool looping = false;
    bool lost = false;
    uint64_t position = 0;                         // frames, 32.32 fixed point
    int32_t pan = 0;
    int32_t volume = 0;
    uint32_t frequency = 22050;
    int32_t gain_left = 65536;                     // Q16, from volume and pan
    int32_t gain_right = 65536;
    uint32_t starts = 0;
    uint32_t stops = 0;

    uint32_t frames() const { return uint32_t(memory->size() / block_align); }
};

struct SoftsoundState {
    std::vector<SoundBuffer*> buffers;  // live buffers in order of creation
    uint32_t next_id = 1;
    uint32_t output_rate = kSoftsoundDefaultRate;
    void* active_window = nullptr;
    bool unavailable = false;
};

SoftsoundState& softsound_state();

// Recomputes the channel gains of a buffer after its volume or pan changed.
void softsound_update_gains(SoundBuffer* buffer);
