#include "gsound_internal.h"

#include "platform/module_resources.h"
#include "wave_parse.h"

#include <cstddef>
#include <cstring>

namespace {

SoundDevice* sound_device = nullptr;
void* sound_resource_module = nullptr;

// Every buffer the library makes: static (holds the whole sound), 3D-capable, with frequency,
// pan and volume control and an exact play position.
constexpr uint32_t kBufferFlags = kSoundCapsStatic | kSoundCapsCtrl3D | kSoundCapsCtrlFrequency |
                                  kSoundCapsCtrlPan | kSoundCapsCtrlVolume |
                                  kSoundCapsGetCurrentPosition2;
static_assert(kBufferFlags == 0x100F2);

// The most voices a set can hold without its size overflowing.
constexpr size_t kMaxVoices = (SIZE_MAX - sizeof(VoiceSet)) / sizeof(SoundBuffer*);

template <typename T>
T clamp_value(T value, T low, T high) {
    return value < low ? low : value > high ? high : value;
}

}  // namespace

SoundDevice* gsound_device() { return sound_device; }
void* gsound_resource_module() { return sound_resource_module; }

// ---------------------------------------------------------------------------------------------
// Resources

int32_t wave_resource_find(void* module, const char* name, const SoundWaveFormat** format,
                           const uint8_t** data, uint32_t* size) {
    if (format) *format = nullptr;
    if (data) *data = nullptr;
    if (size) *size = 0;
    ModuleResource resource{nullptr, 0};
    if (!module_find_raw_resource(module, name, &resource)) return 0;
    if (resource.data != nullptr) wave_parse(resource.data, resource.size, format, data, size);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Buffers

int32_t wave_buffer_fill(SoundBuffer* buffer, const uint8_t* data, uint32_t size) {
    if (buffer == nullptr || data == nullptr || size == 0) return 0;
    void* region1 = nullptr;
    void* region2 = nullptr;
    uint32_t length1 = 0;
    uint32_t length2 = 0;
    if (sound_failed(sound_buffer_lock(buffer, 0, size, &region1, &length1, &region2, &length2, 0)))
        return 0;
    // The two regions add up to the requested length; a platform that answered more is held to
    // what the data has.
    length1 = length1 < size ? length1 : size;
    length2 = length2 < size - length1 ? length2 : size - length1;
    if (region1 != nullptr && length1 != 0) std::memcpy(region1, data, length1);
    if (region2 != nullptr && length2 != 0) std::memcpy(region2, data + length1, length2);
    sound_buffer_unlock(buffer, region1, length1, region2, length2);
    return 1;
}

SoundBuffer* wave_buffer_load(SoundDevice* device, const char* name) {
    const SoundWaveFormat* format = nullptr;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!wave_resource_find(sound_resource_module, name, &format, &data, &size)) return nullptr;

    SoundBufferDescription description{kSoundBufferDescriptionSize, kBufferFlags, size, 0, format};
    SoundBuffer* buffer = nullptr;
    if (sound_failed(sound_device_create_buffer(device, &description, &buffer)) || !buffer)
        return nullptr;
    if (!wave_buffer_fill(buffer, data, size) || sound_buffer_query_3d(buffer) != kSoundOk) {
        sound_buffer_release(buffer);
        return nullptr;
    }
    return buffer;
}

int32_t wave_buffer_reload(SoundBuffer* buffer, const char* name) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!wave_resource_find(sound_resource_module, name, nullptr, &data, &size)) return 0;
    if (sound_failed(sound_buffer_restore(buffer))) return 0;
    return wave_buffer_fill(buffer, data, size);
}

// ---------------------------------------------------------------------------------------------
// Voice sets

void voice_set_destroy(VoiceSet* set) {
    if (set == nullptr) return;
    for (int32_t i = 0; i < set->voice_count; ++i) {
        if (set->voices[i] != nullptr) {
            sound_buffer_release(set->voices[i]);
            set->voices[i] = nullptr;
        }
    }
    platform_free(set);
}

VoiceSet* voice_set_create(SoundDevice* device, const char* name, int32_t voice_count) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!wave_resource_find(sound_resource_module, name, nullptr, &data, &size)) return nullptr;
    if (voice_count < 1) voice_count = 1;
    if (size_t(voice_count) > kMaxVoices) return nullptr;

    auto* set = static_cast<VoiceSet*>(
        platform_zero_alloc(sizeof(VoiceSet) + size_t(voice_count) * sizeof(SoundBuffer*)));
    if (set == nullptr) return nullptr;
    set->voice_count = voice_count;
    set->wave_data = data;
    set->wave_size = size;
    set->next_voice = 0;

    set->voices[0] = wave_buffer_load(device, name);  // a null voice 0 leaves the set silent
    for (int32_t i = 1; i < voice_count; ++i) {
        SoundBuffer* copy = nullptr;
        if (sound_failed(sound_device_duplicate_buffer(device, set->voices[0], &copy)) || !copy)
            copy = wave_buffer_load(device, name);
        if (copy == nullptr) {
            voice_set_destroy(set);
            return nullptr;
        }
        set->voices[i] = copy;
    }
    return set;
}

SoundBuffer* voice_set_pick(VoiceSet* set) {
    if (set == nullptr) return nullptr;
    SoundBuffer* voice = set->voices[set->next_voice];
    if (voice == nullptr) return nullptr;
    uint32_t status = 0;
    if (sound_failed(sound_buffer_get_status(voice, &status))) status = 0;

    if (status & kSoundStatusPlaying) {
        if (set->voice_count == 1) return nullptr;  // a single voice is never interrupted
        set->next_voice = set->next_voice + 1 == set->voice_count ? 0 : set->next_voice + 1;
        voice = set->voices[set->next_voice];
        if (voice == nullptr) return nullptr;
        uint32_t next_status = 0;
        if (!sound_failed(sound_buffer_get_status(voice, &next_status))) {
            status = next_status;
            if (status & kSoundStatusPlaying) {
                sound_buffer_stop(voice);
                sound_buffer_set_position(voice, 0);
            }
        }
    }
    if (status & kSoundStatusLost) {
        if (sound_failed(sound_buffer_restore(voice)) ||
            !wave_buffer_fill(voice, set->wave_data, set->wave_size))
            return nullptr;
    }
    return voice;
}

int32_t voice_set_play(VoiceSet* set, uint32_t play_flags) {
    if (set == nullptr) return 0;
    if ((play_flags & kSoundPlayLooping) && set->voice_count != 1) return 0;
    SoundBuffer* voice = voice_set_pick(set);
    if (voice == nullptr) return 0;
    return sound_failed(sound_buffer_play(voice, 0, 0, play_flags)) ? 0 : 1;
}

int32_t voice_set_stop(VoiceSet* set) {
    if (set == nullptr) return 0;
    for (int32_t i = 0; i < set->voice_count; ++i) {
        if (set->voices[i] == nullptr) continue;
        sound_buffer_stop(set->voices[i]);
        sound_buffer_set_position(set->voices[i], 0);
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Client operations

void gsound_start(SoundDescriptor* const* sounds, void* module) {
    sound_resource_module = module;
    SoundDevice* device = nullptr;
    if (sound_failed(sound_device_create(&device)) || device == nullptr) return;
    if (sound_failed(sound_device_set_cooperative_level(device, platform_active_window(),
                                                        kSoundCooperativeNormal))) {
        sound_device_release(device);
        return;
    }
    sound_device = device;
    for (SoundDescriptor* const* sound = sounds; sound && *sound; ++sound)
        (*sound)->voice_set = voice_set_create(sound_device, (*sound)->name, 1);
}

void gsound_shutdown(SoundDescriptor* const* sounds) {
    if (sound_device == nullptr) return;
    for (SoundDescriptor* const* sound = sounds; sound && *sound; ++sound) {
        voice_set_destroy((*sound)->voice_set);
        (*sound)->voice_set = nullptr;
    }
    sound_device_release(sound_device);
    sound_device = nullptr;
}

int32_t gsound_play(SoundDescriptor* sound, uint32_t play_flags) {
    return voice_set_play(sound->voice_set, play_flags);
}

int32_t gsound_stop(SoundDescriptor* sound) { return voice_set_stop(sound->voice_set); }

void gsound_set_pan(SoundDescriptor* sound, int32_t pan) {
    if (SoundBuffer* voice = voice_set_pick(sound->voice_set))
        sound_buffer_set_pan(voice, clamp_value(pan, kSoundPanLeft, kSoundPanRight));
}

void gsound_set_volume(SoundDescriptor* sound, int32_t volume) {
    if (SoundBuffer* voice = voice_set_pick(sound->voice_set))
        sound_buffer_set_volume(voice, clamp_value(volume, kSoundVolumeMin, kSoundVolumeMax));
}

void gsound_set_frequency(SoundDescriptor* sound, uint32_t frequency) {
    if (SoundBuffer* voice = voice_set_pick(sound->voice_set))
        sound_buffer_set_frequency(voice,
                                   clamp_value(frequency, kSoundFrequencyMin, kSoundFrequencyMax));
}
