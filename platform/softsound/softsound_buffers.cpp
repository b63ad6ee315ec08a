// The device and buffer operations of platform/sound_platform.h on the software device. They
// answer as DirectSound does: the same checks of the description and format, the same ranges of
// the controls, the same treatment of lost buffers.
#include "softsound_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kMinBufferBytes = 4;
constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;
constexpr uint32_t kDescriptionSizeWithAlgorithm = 36;  // the later form with a GUID appended

uint16_t read_u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t read_u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void forget(SoundBuffer* buffer) {
    auto& list = softsound_state().buffers;
    list.erase(std::remove(list.begin(), list.end(), buffer), list.end());
    delete buffer;
}

// Reads the format record, its first 14 bytes only: a PCM record needs no more, and a "fmt "
// chunk may be that short. The sample size follows from the block alignment.
SoundResult read_format(const void* record, SoundBuffer* buffer) {
    const auto* p = static_cast<const uint8_t*>(record);
    if (read_u16(p) != kWaveFormatPcm) return kSoundInvalidParam;
    uint16_t channels = read_u16(p + 2);
    uint32_t rate = read_u32(p + 4);
    uint16_t block_align = read_u16(p + 12);
    if (channels < 1 || channels > 2 || block_align % channels != 0) return kSoundInvalidParam;
    uint16_t bits = uint16_t(block_align / channels * 8);
    if (bits != 8 && bits != 16) return kSoundInvalidParam;
    if (rate < kSoundFrequencyMin || rate > kSoundFrequencyMax) return kSoundInvalidParam;
    buffer->channels = channels;
    buffer->bits = bits;
    buffer->block_align = block_align;
    buffer->format_rate = rate;
    buffer->frequency = rate;
    return kSoundOk;
}

SoundBuffer* add_buffer(SoundBuffer* buffer) {
    SoftsoundState& state = softsound_state();
    buffer->id = state.next_id++;
    state.buffers.push_back(buffer);
    return buffer;
}

}  // namespace

SoftsoundState& softsound_state() {
    static SoftsoundState* state = new SoftsoundState;  // lives until the process ends
    return *state;
}

void softsound_update_gains(SoundBuffer* b) {
    // Pan attenuates the far side only: positive pan turns the left channel down.
    auto gain = [](int32_t hundredths_db) {
        if (hundredths_db <= kSoundVolumeMin) return int32_t(0);
        return int32_t(std::lround(65536.0 * std::pow(10.0, hundredths_db / 2000.0)));
    };
    b->gain_left = gain(b->volume - std::max(0, b->pan));
    b->gain_right = gain(b->volume - std::max(0, -b->pan));
}

// ---------------------------------------------------------------------------------------------
// Device

SoundResult sound_device_create(SoundDevice** out) {
    if (out == nullptr) return kSoundInvalidParam;
    *out = nullptr;
    if (softsound_state().unavailable) return kSoundNoDriver;
    *out = new SoundDevice;
    return kSoundOk;
}

SoundResult sound_device_set_cooperative_level(SoundDevice* device, void* window,
                                               uint32_t level) {
    if (device == nullptr || level < 1 || level > 4) return kSoundInvalidParam;
    device->window = window;
    device->cooperative_level = level;
    return kSoundOk;
}

SoundResult sound_device_create_buffer(SoundDevice* device, const SoundBufferDescription* d,
                                       SoundBuffer** out) {
    if (out == nullptr) return kSoundInvalidParam;
    *out = nullptr;
    if (device == nullptr || d == nullptr || d->format == nullptr) return kSoundInvalidParam;
    if (d->size != kSoundBufferDescriptionSize && d->size != kDescriptionSizeWithAlgorithm)
        return kSoundInvalidParam;
    if (d->buffer_bytes < kMinBufferBytes || d->buffer_bytes > kMaxBufferBytes)
        return kSoundInvalidParam;
    auto* buffer = new SoundBuffer;
    if (SoundResult r = read_format(d->format, buffer); sound_failed(r)) {
        delete buffer;
        return r;
    }
    if ((d->flags & kSoundCapsCtrl3D) && buffer->channels != 1) {  // 3D sounds are mono
        delete buffer;
        return kSoundInvalidParam;
    }
    buffer->device = device;
    buffer->flags = d->flags;
    buffer->memory = std::make_shared<std::vector<uint8_t>>(d->buffer_bytes, uint8_t(0));
    *out = add_buffer(buffer);
    return kSoundOk;
}

SoundResult sound_device_duplicate_buffer(SoundDevice* device, SoundBuffer* original,
                                          SoundBuffer** out) {
    if (out == nullptr) return kSoundInvalidParam;
    *out = nullptr;
    if (device == nullptr || original == nullptr) return kSoundInvalidParam;
    auto* copy = new SoundBuffer(*original);
    copy->duplicate_of = original->id;
    copy->references = 1;
    copy->device = device;
    copy->playing = false;
    copy->looping = false;
    copy->position = 0;
    copy->starts = 0;
    copy->stops = 0;
    *out = add_buffer(copy);
    return kSoundOk;
}

uint32_t sound_device_release(SoundDevice* device) {
    if (device == nullptr) return 0;
    if (--device->references != 0) return device->references;
    // Closing the device frees the buffers made on it.
    auto list = softsound_state().buffers;
    for (SoundBuffer* b : list)
        if (b->device == device) forget(b);
    delete device;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Buffers

uint32_t sound_buffer_release(SoundBuffer* buffer) {
    if (buffer == nullptr) return 0;
    if (--buffer->references != 0) return buffer->references;
    forget(buffer);
    return 0;
}

SoundResult sound_buffer_query_3d(SoundBuffer* buffer) {
    if (buffer == nullptr) return kSoundInvalidParam;
    return (buffer->flags & kSoundCapsCtrl3D) ? kSoundOk : kSoundNoInterface;
}

SoundResult sound_buffer_get_status(SoundBuffer* buffer, uint32_t* status) {
    if (buffer == nullptr || status == nullptr) return kSoundInvalidParam;
    *status = (buffer->playing ? kSoundStatusPlaying : 0) |
              (buffer->playing && buffer->looping ? kSoundStatusLooping : 0) |
              (buffer->lost ? kSoundStatusLost : 0);
    return kSoundOk;
}

SoundResult sound_buffer_lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** region1,
                              uint32_t* length1, void** region2, uint32_t* length2,
                              uint32_t flags) {
    if (buffer == nullptr || region1 == nullptr || length1 == nullptr) return kSoundInvalidParam;
    *region1 = nullptr;
    *length1 = 0;
    if (region2) *region2 = nullptr;
    if (length2) *length2 = 0;
    const uint32_t size = uint32_t(buffer->memory->size());
    if (flags != 0 || bytes == 0 || bytes > size || offset >= size) return kSoundInvalidParam;
    if (buffer->lost) return kSoundBufferLost;
    uint8_t* base = buffer->memory->data();
    const uint32_t first = std::min(bytes, size - offset);
    if (first < bytes && (region2 == nullptr || length2 == nullptr)) return kSoundInvalidParam;
    *region1 = base + offset;
    *length1 = first;
    if (first < bytes) {  // the span wraps round to the start of the buffer
        *region2 = base;
        *length2 = bytes - first;
    }
    return kSoundOk;
}

SoundResult sound_buffer_unlock(SoundBuffer* buffer, void* region1, uint32_t length1,
                                void* region2, uint32_t length2) {
    if (buffer == nullptr) return kSoundInvalidParam;
    const uint8_t* begin = buffer->memory->data();
    const uint8_t* end = begin + buffer->memory->size();
    auto inside = [&](void* region, uint32_t length) {
        auto* p = static_cast<const uint8_t*>(region);
        return length == 0 || (p >= begin && p <= end && length <= size_t(end - p));
    };
    return inside(region1, length1) && inside(region2, length2) ? kSoundOk : kSoundInvalidParam;
}

SoundResult sound_buffer_play(SoundBuffer* buffer, uint32_t reserved, uint32_t /*priority*/,
                              uint32_t flags) {
    if (buffer == nullptr || reserved != 0) return kSoundInvalidParam;
    if (buffer->lost) return kSoundBufferLost;
    if (!buffer->playing) ++buffer->starts;
    buffer->playing = true;
    buffer->looping = (flags & kSoundPlayLooping) != 0;
    return kSoundOk;
}

SoundResult sound_buffer_stop(SoundBuffer* buffer) {
    if (buffer == nullptr) return kSoundInvalidParam;
    if (buffer->playing) ++buffer->stops;
    buffer->playing = false;
    return kSoundOk;
}

SoundResult sound_buffer_set_position(SoundBuffer* buffer, uint32_t byte_position) {
    if (buffer == nullptr || byte_position >= buffer->memory->size()) return kSoundInvalidParam;
    buffer->position = uint64_t(byte_position / buffer->block_align) << 32;
    return kSoundOk;
}

SoundResult sound_buffer_restore(SoundBuffer* buffer) {
    if (buffer == nullptr) return kSoundInvalidParam;
    if (softsound_state().unavailable) return kSoundBufferLost;
    buffer->lost = false;
    return kSoundOk;
}

SoundResult sound_buffer_set_pan(SoundBuffer* buffer, int32_t pan) {
    if (buffer == nullptr || pan < kSoundPanLeft || pan > kSoundPanRight) return kSoundInvalidParam;
    if (!(buffer->flags & kSoundCapsCtrlPan)) return kSoundControlUnavailable;
    buffer->pan = pan;
    softsound_update_gains(buffer);
    return kSoundOk;
}

SoundResult sound_buffer_set_volume(SoundBuffer* buffer, int32_t volume) {
    if (buffer == nullptr || volume < kSoundVolumeMin || volume > kSoundVolumeMax)
        return kSoundInvalidParam;
    if (!(buffer->flags & kSoundCapsCtrlVolume)) return kSoundControlUnavailable;
    buffer->volume = volume;
    softsound_update_gains(buffer);
    return kSoundOk;
}

SoundResult sound_buffer_set_frequency(SoundBuffer* buffer, uint32_t frequency) {
    if (buffer == nullptr) return kSoundInvalidParam;
    if (frequency != kSoundFrequencyOriginal &&
        (frequency < kSoundFrequencyMin || frequency > kSoundFrequencyMax))
        return kSoundInvalidParam;
    if (!(buffer->flags & kSoundCapsCtrlFrequency)) return kSoundControlUnavailable;
    buffer->frequency = frequency == kSoundFrequencyOriginal ? buffer->format_rate : frequency;
    return kSoundOk;
}

// ---------------------------------------------------------------------------------------------
// The rest of the operating system

void* platform_active_window() { return softsound_state().active_window; }
void* platform_zero_alloc(size_t bytes) { return std::calloc(1, bytes); }
void platform_free(void* memory) { std::free(memory); }

// ---------------------------------------------------------------------------------------------
// The host's side

void softsound_set_active_window(void* window) { softsound_state().active_window = window; }
void softsound_set_unavailable(bool unavailable) { softsound_state().unavailable = unavailable; }

void softsound_lose_all() {
    for (SoundBuffer* b : softsound_state().buffers) {
        b->lost = true;
        b->playing = false;
        std::fill(b->memory->begin(), b->memory->end(), uint8_t(0));
    }
}

size_t softsound_buffer_count() { return softsound_state().buffers.size(); }

bool softsound_describe(const SoundBuffer* b, SoftsoundBufferInfo* out) {
    if (b == nullptr || out == nullptr) return false;
    *out = SoftsoundBufferInfo{b->id,
                               b->duplicate_of,
                               b->memory->data(),
                               uint32_t(b->memory->size()),
                               b->channels,
                               b->bits,
                               b->format_rate,
                               b->playing,
                               b->playing && b->looping,
                               b->lost,
                               uint32_t(b->position >> 32) * b->block_align,
                               b->starts,
                               b->stops,
                               b->pan,
                               b->volume,
                               b->frequency};
    return true;
}

bool softsound_buffer_info(size_t index, SoftsoundBufferInfo* out) {
    const auto& list = softsound_state().buffers;
    return index < list.size() && softsound_describe(list[index], out);
}
