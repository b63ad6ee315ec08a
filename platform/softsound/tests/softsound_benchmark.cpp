// What one frame of the host's clock costs the mixer: 2450 stereo frames (44100 / 18) with the
// horn looping and the click playing over it, as in a cancel.
#include "platform/softsound/softsound.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

SoundBuffer* make_voice(SoundDevice* device, uint16_t bits, uint32_t frames) {
    const uint16_t align = bits / 8;
    SoundWaveFormat format{1, 1, 22050, 22050u * align, align, bits, 0};
    SoundBufferDescription d{20, 0x100F2, frames * align, 0, &format};
    SoundBuffer* b = nullptr;
    sound_device_create_buffer(device, &d, &b);
    void *r1, *r2;
    uint32_t n1, n2;
    sound_buffer_lock(b, 0, d.buffer_bytes, &r1, &n1, &r2, &n2, 0);
    for (uint32_t i = 0; i < n1; ++i) static_cast<uint8_t*>(r1)[i] = uint8_t(i * 37);
    sound_buffer_unlock(b, r1, n1, r2, n2);
    return b;
}

void BM_MixOneFrame(benchmark::State& state) {
    SoundDevice* device = nullptr;
    sound_device_create(&device);
    SoundBuffer* horn = make_voice(device, 16, 30446);
    SoundBuffer* click = make_voice(device, 8, 1322);
    sound_buffer_set_pan(click, -500);
    sound_buffer_play(horn, 0, 0, kSoundPlayLooping);
    std::vector<int16_t> out(2450 * 2);
    for (auto _ : state) {
        sound_buffer_play(click, 0, 0, kSoundPlayLooping);
        softsound_mix(out.data(), 2450);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 2450);
    sound_device_release(device);
}
BENCHMARK(BM_MixOneFrame);

}  // namespace

BENCHMARK_MAIN();
