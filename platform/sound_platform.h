// The sound platform a module's sound library runs on: a sound device bound to a window, static
// buffers made from a PCM format and a byte count, duplicates that share the sound data, per-buffer
// play (once or looping) from the current position, stop, rewind, status, restore, locked access
// to the buffer memory in up to two regions, pan, volume and frequency.
//
// The operations mirror DirectSound one for one, with its conventions: results are HRESULT-like
// (negative = failure), pan and volume are hundredths of a decibel, frequency is samples a second.
// Back-ends:
//   sound_dsound_win32.cpp   Win32: thin wrappers over DirectSound, GetActiveWindow, LocalAlloc
//   softsound/               native: a software device of our own that mixes into a PCM stream
//   (tests)                  a scripted fake that can fail any step
// Exactly one back-end is linked into a program; the library above is written once against this.
#pragma once

#include <cstddef>
#include <cstdint>

// Natively the operations live in a shared library (one device for the whole process), so they
// are exported from it; on Win32 they are linked into the module.
#if defined(_WIN32)
#define SOUND_PLATFORM_API
#else
#define SOUND_PLATFORM_API __attribute__((visibility("default")))
#endif

struct SoundDevice;  // opaque; IDirectSound on Win32
struct SoundBuffer;  // opaque; IDirectSoundBuffer on Win32

using SoundResult = int32_t;  // negative = failure
constexpr SoundResult kSoundOk = 0;
constexpr SoundResult kSoundGenericError = int32_t(0x80004005);    // E_FAIL
constexpr SoundResult kSoundInvalidParam = int32_t(0x80070057);    // DSERR_INVALIDPARAM
constexpr SoundResult kSoundNoInterface = int32_t(0x80004002);     // E_NOINTERFACE
constexpr SoundResult kSoundOutOfMemory = int32_t(0x8007000E);     // DSERR_OUTOFMEMORY
constexpr SoundResult kSoundBufferLost = int32_t(0x88780096);      // DSERR_BUFFERLOST
constexpr SoundResult kSoundControlUnavailable = int32_t(0x8878001E);  // DSERR_CONTROLUNAVAIL
constexpr SoundResult kSoundNoDriver = int32_t(0x88780078);        // DSERR_NODRIVER

constexpr bool sound_failed(SoundResult r) { return r < 0; }

// Buffer status bits (GetStatus).
constexpr uint32_t kSoundStatusPlaying = 0x1;
constexpr uint32_t kSoundStatusLost = 0x2;
constexpr uint32_t kSoundStatusLooping = 0x4;

// Play flags.
constexpr uint32_t kSoundPlayLooping = 0x1;

// Cooperative level "normal".
constexpr uint32_t kSoundCooperativeNormal = 1;

// Buffer capability flags of a buffer description.
constexpr uint32_t kSoundCapsStatic = 0x2;
constexpr uint32_t kSoundCapsCtrl3D = 0x10;
constexpr uint32_t kSoundCapsCtrlFrequency = 0x20;
constexpr uint32_t kSoundCapsCtrlPan = 0x40;
constexpr uint32_t kSoundCapsCtrlVolume = 0x80;
constexpr uint32_t kSoundCapsGetCurrentPosition2 = 0x10000;

// Ranges of the three controls as the platform accepts them.
constexpr int32_t kSoundPanLeft = -10000;
constexpr int32_t kSoundPanRight = 10000;
constexpr int32_t kSoundVolumeMin = -10000;  // silence
constexpr int32_t kSoundVolumeMax = 0;       // as recorded
constexpr uint32_t kSoundFrequencyMin = 100;
constexpr uint32_t kSoundFrequencyMax = 100000;
constexpr uint32_t kSoundFrequencyOriginal = 0;  // back to the format's own rate

constexpr uint16_t kWaveFormatPcm = 1;

// The format record that starts a WAVE file's "fmt " chunk (WAVEFORMATEX), byte for byte.
// A PCM format needs only its first 14 bytes (through block_align); a back-end of ours reads no
// more, since a "fmt " chunk may be as short as that.
#pragma pack(push, 1)
struct SoundWaveFormat {
    uint16_t format_tag;                 // 1 = PCM
    uint16_t channels;
    uint32_t samples_per_second;
    uint32_t average_bytes_per_second;
    uint16_t block_align;                // bytes of one sample frame, all channels
    uint16_t bits_per_sample;            // not present in a 14-byte record
    uint16_t extra_size;                 // not present in a 14- or 16-byte record
};
#pragma pack(pop)
static_assert(sizeof(SoundWaveFormat) == 18);
constexpr uint32_t kSoundWaveFormatMinSize = 14;

// The buffer description handed to buffer creation (DSBUFFERDESC without its later GUID):
// `size` is 20, the size of the record with 32-bit pointers.
struct SoundBufferDescription {
    uint32_t size;
    uint32_t flags;            // kSoundCaps* bits
    uint32_t buffer_bytes;
    uint32_t reserved;         // 0
    const void* format;        // a SoundWaveFormat, read in place
};
constexpr uint32_t kSoundBufferDescriptionSize = 20;

// ---------------------------------------------------------------------------------------------
// Device

// Opens the default device (no device identifier, no outer object).
SOUND_PLATFORM_API SoundResult sound_device_create(SoundDevice** out);
SOUND_PLATFORM_API SoundResult sound_device_set_cooperative_level(SoundDevice* device,
                                                                  void* window, uint32_t level);
SOUND_PLATFORM_API SoundResult sound_device_create_buffer(
    SoundDevice* device, const SoundBufferDescription* description, SoundBuffer** out);
// A further buffer that plays the same sound data as `original`.
SOUND_PLATFORM_API SoundResult sound_device_duplicate_buffer(SoundDevice* device,
                                                             SoundBuffer* original,
                                                             SoundBuffer** out);
// Drops the caller's reference; the device closes with its last one. Returns references left.
SOUND_PLATFORM_API uint32_t sound_device_release(SoundDevice* device);

// ---------------------------------------------------------------------------------------------
// Buffers

SOUND_PLATFORM_API uint32_t sound_buffer_release(SoundBuffer* buffer);
// kSoundOk when the buffer offers the 3D-buffer interface (the interface itself is not kept).
SOUND_PLATFORM_API SoundResult sound_buffer_query_3d(SoundBuffer* buffer);
SOUND_PLATFORM_API SoundResult sound_buffer_get_status(SoundBuffer* buffer, uint32_t* status);
// Write access to `bytes` bytes from `offset`: one region, or two when the span wraps round the
// end of the buffer (the platform may also split it for reasons of its own); the two lengths add
// up to `bytes`. `flags` 0.
SOUND_PLATFORM_API SoundResult sound_buffer_lock(SoundBuffer* buffer, uint32_t offset,
                                                 uint32_t bytes, void** region1,
                                                 uint32_t* length1, void** region2,
                                                 uint32_t* length2, uint32_t flags);
SOUND_PLATFORM_API SoundResult sound_buffer_unlock(SoundBuffer* buffer, void* region1,
                                                   uint32_t length1, void* region2,
                                                   uint32_t length2);
// Plays from the current position; `reserved` 0, `priority` 0, flags kSoundPlayLooping or 0.
SOUND_PLATFORM_API SoundResult sound_buffer_play(SoundBuffer* buffer, uint32_t reserved,
                                                 uint32_t priority, uint32_t flags);
SOUND_PLATFORM_API SoundResult sound_buffer_stop(SoundBuffer* buffer);
SOUND_PLATFORM_API SoundResult sound_buffer_set_position(SoundBuffer* buffer,
                                                         uint32_t byte_position);
// Gives a lost buffer its memory back; its contents must then be written again.
SOUND_PLATFORM_API SoundResult sound_buffer_restore(SoundBuffer* buffer);
SOUND_PLATFORM_API SoundResult sound_buffer_set_pan(SoundBuffer* buffer, int32_t pan);
SOUND_PLATFORM_API SoundResult sound_buffer_set_volume(SoundBuffer* buffer, int32_t volume);
SOUND_PLATFORM_API SoundResult sound_buffer_set_frequency(SoundBuffer* buffer,
                                                          uint32_t frequency);

// ---------------------------------------------------------------------------------------------
// The rest of the operating system that a sound library needs

// The window active at this moment (may be null).
SOUND_PLATFORM_API void* platform_active_window();
// Zero-filled memory; null on failure. Freed with platform_free.
SOUND_PLATFORM_API void* platform_zero_alloc(size_t bytes);
SOUND_PLATFORM_API void platform_free(void* memory);
