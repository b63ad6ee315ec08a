#include "fake_sound_platform.h"

#include "platform/module_resources.h"

#include <cstdlib>
#include <cstring>

namespace {

FakeSoundPlatform* platform = new FakeSoundPlatform;

// Handles are the buffer's id and the device's number, dressed as pointers.
FakeBuffer* from_handle(SoundBuffer* handle) {
    auto id = reinterpret_cast<uintptr_t>(handle);
    if (id == 0 || id > platform->buffers.size()) std::abort();
    FakeBuffer* b = platform->buffers[id - 1].get();
    if (b->released) std::abort();  // use after release is a library fault
    return b;
}

SoundBuffer* to_handle(const FakeBuffer* b) { return reinterpret_cast<SoundBuffer*>(uintptr_t(b->id)); }

SoundDevice* const kDevice = reinterpret_cast<SoundDevice*>(uintptr_t(0xD0));

void check_device(SoundDevice* device) {
    if (device != kDevice || platform->devices_open == 0) std::abort();
}

FakeBuffer* new_buffer() {
    platform->buffers.push_back(std::make_unique<FakeBuffer>());
    FakeBuffer* b = platform->buffers.back().get();
    b->id = int(platform->buffers.size());
    return b;
}

}  // namespace

FakeSoundPlatform& fake_sound() { return *platform; }

void fake_sound_reset() {
    delete platform;
    platform = new FakeSoundPlatform;
}

int fake_buffer_id(SoundBuffer* buffer) { return int(reinterpret_cast<uintptr_t>(buffer)); }

int FakeSoundPlatform::live_buffers() const {
    int n = 0;
    for (const auto& b : buffers) n += b->released ? 0 : 1;
    return n;
}

void FakeSoundPlatform::lose(int id) {
    FakeBuffer* b = buffer(id);
    b->lost = true;
    b->playing = false;
    std::memset(b->memory->data(), 0xEE, b->memory->size());
}

// ---------------------------------------------------------------------------------------------

SoundResult sound_device_create(SoundDevice** out) {
    platform->log.push_back("create device");
    *out = nullptr;
    if (platform->fail_device_create) return kSoundNoDriver;
    ++platform->devices_created;
    ++platform->devices_open;
    *out = kDevice;
    return kSoundOk;
}

SoundResult sound_device_set_cooperative_level(SoundDevice* device, void* window, uint32_t level) {
    check_device(device);
    platform->log.push_back("cooperative level");
    platform->cooperative_window = window;
    platform->cooperative_level = level;
    return platform->fail_cooperative_level ? kSoundInvalidParam : kSoundOk;
}

SoundResult sound_device_create_buffer(SoundDevice* device, const SoundBufferDescription* d,
                                       SoundBuffer** out) {
    check_device(device);
    platform->log.push_back("create buffer");
    *out = nullptr;
    if (platform->fail_buffer_creations > 0) {
        --platform->fail_buffer_creations;
        return kSoundOutOfMemory;
    }
    if (platform->buffer_creations_allowed == 0) return kSoundOutOfMemory;
    if (platform->buffer_creations_allowed > 0) --platform->buffer_creations_allowed;
    if (d->format == nullptr || d->buffer_bytes == 0) return kSoundInvalidParam;
    FakeBuffer* b = new_buffer();
    b->description = *d;
    b->memory = std::make_shared<std::vector<uint8_t>>(d->buffer_bytes, 0);
    *out = to_handle(b);
    return kSoundOk;
}

SoundResult sound_device_duplicate_buffer(SoundDevice* device, SoundBuffer* original,
                                          SoundBuffer** out) {
    check_device(device);
    platform->log.push_back("duplicate buffer");
    *out = nullptr;
    if (original == nullptr) return kSoundInvalidParam;
    if (platform->fail_duplicate) return kSoundOutOfMemory;
    FakeBuffer* source = from_handle(original);
    FakeBuffer* b = new_buffer();
    b->description = source->description;
    b->memory = source->memory;
    b->duplicate_of = source->id;
    *out = to_handle(b);
    return kSoundOk;
}

uint32_t sound_device_release(SoundDevice* device) {
    check_device(device);
    platform->log.push_back("release device");
    return uint32_t(--platform->devices_open);
}

uint32_t sound_buffer_release(SoundBuffer* buffer) {
    from_handle(buffer)->released = true;
    return 0;
}

SoundResult sound_buffer_query_3d(SoundBuffer* buffer) {
    from_handle(buffer);
    return platform->fail_3d_query ? kSoundNoInterface : kSoundOk;
}

SoundResult sound_buffer_get_status(SoundBuffer* buffer, uint32_t* status) {
    FakeBuffer* b = from_handle(buffer);
    if (platform->fail_status || platform->fail_status_of == b->id) return kSoundGenericError;
    *status = (b->playing ? kSoundStatusPlaying : 0) | (b->lost ? kSoundStatusLost : 0) |
              (b->playing && b->looping ? kSoundStatusLooping : 0);
    return kSoundOk;
}

SoundResult sound_buffer_lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** region1,
                              uint32_t* length1, void** region2, uint32_t* length2,
                              uint32_t flags) {
    FakeBuffer* b = from_handle(buffer);
    if (platform->fail_lock || flags != 0) return kSoundInvalidParam;
    if (b->lost) return kSoundBufferLost;
    if (offset != 0 || bytes > b->memory->size()) return kSoundInvalidParam;
    uint32_t first = platform->split_lock_at != 0 && platform->split_lock_at < bytes
                         ? platform->split_lock_at
                         : bytes;
    *region1 = b->memory->data();
    *length1 = first;
    *region2 = first < bytes ? b->memory->data() + first : nullptr;
    *length2 = bytes - first;
    return kSoundOk;
}

SoundResult sound_buffer_unlock(SoundBuffer* buffer, void*, uint32_t, void*, uint32_t) {
    ++from_handle(buffer)->fills;
    return kSoundOk;
}

SoundResult sound_buffer_play(SoundBuffer* buffer, uint32_t reserved, uint32_t priority,
                              uint32_t flags) {
    FakeBuffer* b = from_handle(buffer);
    if (reserved != 0 || priority != 0) return kSoundInvalidParam;
    if (b->lost) return kSoundBufferLost;
    if (platform->fail_play) return kSoundGenericError;
    b->playing = true;
    b->looping = (flags & kSoundPlayLooping) != 0;
    ++b->plays;
    return kSoundOk;
}

SoundResult sound_buffer_stop(SoundBuffer* buffer) {
    FakeBuffer* b = from_handle(buffer);
    b->playing = false;
    ++b->stops;
    return kSoundOk;
}

SoundResult sound_buffer_set_position(SoundBuffer* buffer, uint32_t position) {
    FakeBuffer* b = from_handle(buffer);
    b->position = position;
    ++b->rewinds;
    return kSoundOk;
}

SoundResult sound_buffer_restore(SoundBuffer* buffer) {
    FakeBuffer* b = from_handle(buffer);
    ++b->restores;
    if (platform->fail_restore) return kSoundBufferLost;
    b->lost = false;
    return kSoundOk;
}

SoundResult sound_buffer_set_pan(SoundBuffer* buffer, int32_t pan) {
    FakeBuffer* b = from_handle(buffer);
    b->pan = pan;
    ++b->pan_sets;
    return kSoundOk;
}

SoundResult sound_buffer_set_volume(SoundBuffer* buffer, int32_t volume) {
    FakeBuffer* b = from_handle(buffer);
    b->volume = volume;
    ++b->volume_sets;
    return kSoundOk;
}

SoundResult sound_buffer_set_frequency(SoundBuffer* buffer, uint32_t frequency) {
    FakeBuffer* b = from_handle(buffer);
    b->frequency = frequency;
    ++b->frequency_sets;
    return kSoundOk;
}

void* platform_active_window() { return platform->active_window; }

void* platform_zero_alloc(size_t bytes) {
    if (platform->fail_alloc) return nullptr;
    ++platform->allocations_live;
    return std::calloc(1, bytes);
}

void platform_free(void* memory) {
    if (memory == nullptr) return;
    --platform->allocations_live;
    std::free(memory);
}

bool module_find_raw_resource(void* module, const char* name, ModuleResource* out) {
    platform->last_resource_module = module;
    auto found = platform->resources.find(name);
    if (found == platform->resources.end()) return false;
    out->data = found->second.data();
    out->size = uint32_t(found->second.size());
    return true;
}
