// Win32 form of the sound platform: thin wrappers over DirectSound and the Windows calls for the
// active window and zero-filled local memory. Handles are the COM interfaces themselves.
#include "sound_platform.h"

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

namespace {

IDirectSound* as_device(SoundDevice* d) { return reinterpret_cast<IDirectSound*>(d); }
IDirectSoundBuffer* as_buffer(SoundBuffer* b) { return reinterpret_cast<IDirectSoundBuffer*>(b); }

// {279AFA86-4981-11CE-A521-0020AF0BE560}
const GUID kDirectSound3DBufferId = {0x279AFA86, 0x4981, 0x11CE,
                                     {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

static_assert(sizeof(WAVEFORMATEX) == sizeof(SoundWaveFormat));

}  // namespace

SoundResult sound_device_create(SoundDevice** out) {
    IDirectSound* device = nullptr;
    HRESULT r = DirectSoundCreate(nullptr, &device, nullptr);
    *out = reinterpret_cast<SoundDevice*>(device);
    return SoundResult(r);
}

SoundResult sound_device_set_cooperative_level(SoundDevice* device, void* window, uint32_t level) {
    return SoundResult(
        IDirectSound_SetCooperativeLevel(as_device(device), static_cast<HWND>(window), level));
}

SoundResult sound_device_create_buffer(SoundDevice* device, const SoundBufferDescription* d,
                                       SoundBuffer** out) {
    // Only `size` bytes of the description are read: the 20-byte form without the GUID.
    IDirectSoundBuffer* buffer = nullptr;
    HRESULT r = IDirectSound_CreateSoundBuffer(
        as_device(device), reinterpret_cast<const DSBUFFERDESC*>(d), &buffer, nullptr);
    *out = reinterpret_cast<SoundBuffer*>(buffer);
    return SoundResult(r);
}

SoundResult sound_device_duplicate_buffer(SoundDevice* device, SoundBuffer* original,
                                          SoundBuffer** out) {
    IDirectSoundBuffer* copy = nullptr;
    HRESULT r = IDirectSound_DuplicateSoundBuffer(as_device(device), as_buffer(original), &copy);
    *out = reinterpret_cast<SoundBuffer*>(copy);
    return SoundResult(r);
}

uint32_t sound_device_release(SoundDevice* device) {
    return IDirectSound_Release(as_device(device));
}

uint32_t sound_buffer_release(SoundBuffer* buffer) {
    return IDirectSoundBuffer_Release(as_buffer(buffer));
}

SoundResult sound_buffer_query_3d(SoundBuffer* buffer) {
    void* interface3d = nullptr;
    HRESULT r = IDirectSoundBuffer_QueryInterface(as_buffer(buffer), kDirectSound3DBufferId,
                                                  &interface3d);
    // Only the answer matters. The reference the question adds is given back at once: kept, it
    // would hold the buffer alive (and sounding) after the library releases it.
    if (SUCCEEDED(r) && interface3d != nullptr) static_cast<IUnknown*>(interface3d)->Release();
    return SoundResult(r);
}

SoundResult sound_buffer_get_status(SoundBuffer* buffer, uint32_t* status) {
    DWORD value = 0;
    HRESULT r = IDirectSoundBuffer_GetStatus(as_buffer(buffer), &value);
    *status = uint32_t(value);
    return SoundResult(r);
}

SoundResult sound_buffer_lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** region1,
                              uint32_t* length1, void** region2, uint32_t* length2,
                              uint32_t flags) {
    DWORD n1 = 0;
    DWORD n2 = 0;
    HRESULT r = IDirectSoundBuffer_Lock(as_buffer(buffer), offset, bytes, region1, &n1, region2,
                                        &n2, flags);
    *length1 = uint32_t(n1);
    *length2 = uint32_t(n2);
    return SoundResult(r);
}

SoundResult sound_buffer_unlock(SoundBuffer* buffer, void* region1, uint32_t length1,
                                void* region2, uint32_t length2) {
    return SoundResult(
        IDirectSoundBuffer_Unlock(as_buffer(buffer), region1, length1, region2, length2));
}

SoundResult sound_buffer_play(SoundBuffer* buffer, uint32_t reserved, uint32_t priority,
                              uint32_t flags) {
    return SoundResult(IDirectSoundBuffer_Play(as_buffer(buffer), reserved, priority, flags));
}

SoundResult sound_buffer_stop(SoundBuffer* buffer) {
    return SoundResult(IDirectSoundBuffer_Stop(as_buffer(buffer)));
}

SoundResult sound_buffer_set_position(SoundBuffer* buffer, uint32_t byte_position) {
    return SoundResult(IDirectSoundBuffer_SetCurrentPosition(as_buffer(buffer), byte_position));
}

SoundResult sound_buffer_restore(SoundBuffer* buffer) {
    return SoundResult(IDirectSoundBuffer_Restore(as_buffer(buffer)));
}

SoundResult sound_buffer_set_pan(SoundBuffer* buffer, int32_t pan) {
    return SoundResult(IDirectSoundBuffer_SetPan(as_buffer(buffer), pan));
}

SoundResult sound_buffer_set_volume(SoundBuffer* buffer, int32_t volume) {
    return SoundResult(IDirectSoundBuffer_SetVolume(as_buffer(buffer), volume));
}

SoundResult sound_buffer_set_frequency(SoundBuffer* buffer, uint32_t frequency) {
    return SoundResult(IDirectSoundBuffer_SetFrequency(as_buffer(buffer), frequency));
}

void* platform_active_window() { return GetActiveWindow(); }

void* platform_zero_alloc(size_t bytes) { return LocalAlloc(LMEM_ZEROINIT, bytes); }

void platform_free(void* memory) {
    if (memory != nullptr) LocalFree(memory);
}
