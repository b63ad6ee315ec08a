// The inner operations of gsound, which the client operations are built from. For the library's
// own tests; a client uses gsound.h only.
#pragma once

#include "gsound.h"

// Module-wide state: the device (null while sound is off) and the resource module.
SoundDevice* gsound_device();
void* gsound_resource_module();

VoiceSet* voice_set_create(SoundDevice* device, const char* name, int32_t voice_count);
void voice_set_destroy(VoiceSet* set);
SoundBuffer* voice_set_pick(VoiceSet* set);
int32_t voice_set_play(VoiceSet* set, uint32_t play_flags);
int32_t voice_set_stop(VoiceSet* set);

SoundBuffer* wave_buffer_load(SoundDevice* device, const char* name);
int32_t wave_buffer_reload(SoundBuffer* buffer, const char* name);
int32_t wave_buffer_fill(SoundBuffer* buffer, const uint8_t* data, uint32_t size);

// 1 when the module has a raw-data resource of that name, whatever its contents; the outputs
// (each optional) are empty unless the resource is a WAVE image with a format and data.
int32_t wave_resource_find(void* module, const char* name, const SoundWaveFormat** format,
                           const uint8_t** data, uint32_t* size);
