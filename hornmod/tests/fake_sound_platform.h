// A scripted sound platform and resource lookup for gsound's tests: it keeps every buffer it
// makes, records what is done to it, and can be told to fail each step, lose a buffer's memory
// or hand out a locked span in two regions.
#pragma once

#include "platform/sound_platform.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct FakeBuffer {
    int id = 0;                                   // 1, 2, ... in order of creation
    int duplicate_of = 0;                         // id of the original, 0 for a fresh buffer
    std::shared_ptr<std::vector<uint8_t>> memory; // shared by duplicates
    SoundBufferDescription description{};
    bool released = false;
    bool playing = false;
    bool looping = false;
    bool lost = false;
    uint32_t position = 0;
    int32_t pan = 0;
    int32_t volume = 0;
    uint32_t frequency = 0;
    int plays = 0;
    int stops = 0;
    int rewinds = 0;
    int restores = 0;
    int fills = 0;                                // completed lock/unlock pairs
    int pan_sets = 0, volume_sets = 0, frequency_sets = 0;
};

struct FakeSoundPlatform {
    // What to fail.
    bool fail_device_create = false;
    bool fail_cooperative_level = false;
    int fail_buffer_creations = 0;   // this many creations fail, then they succeed again
    int buffer_creations_allowed = -1;  // >= 0: this many more succeed, then all fail
    bool fail_duplicate = false;
    bool fail_3d_query = false;
    bool fail_lock = false;
    bool fail_status = false;        // every status question fails
    int fail_status_of = 0;          // only this buffer's status question fails
    bool fail_restore = false;
    bool fail_play = false;
    bool fail_alloc = false;
    uint32_t split_lock_at = 0;      // non-zero: the first region holds this many bytes

    // What happened.
    void* active_window = reinterpret_cast<void*>(0x1234);
    std::vector<std::string> log;    // device-level events, in order
    int devices_created = 0;
    int devices_open = 0;
    void* cooperative_window = nullptr;
    uint32_t cooperative_level = 0;
    std::vector<std::unique_ptr<FakeBuffer>> buffers;
    int allocations_live = 0;
    std::map<std::string, std::vector<uint8_t>> resources;  // raw-data resources by name
    void* last_resource_module = nullptr;

    FakeBuffer* buffer(int id) { return buffers.at(size_t(id - 1)).get(); }
    int live_buffers() const;
    // Loses a buffer's memory the way a platform does: contents gone, status "lost".
    void lose(int id);
};

FakeSoundPlatform& fake_sound();
// Forgets everything and installs fresh knobs; call at the start of every test.
void fake_sound_reset();
int fake_buffer_id(SoundBuffer* buffer);
