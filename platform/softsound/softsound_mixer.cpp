// The mixer: every playing buffer, resampled to the output rate by linear interpolation, scaled
// by its channel gains and summed into signed 16-bit stereo. Integer arithmetic throughout, one
// output frame after another, so the result does not depend on how the frames are grouped.
#include "softsound_state.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Sample `channel` of frame `frame` as a signed 16-bit value.
int32_t sample_at(const SoundBuffer& b, uint32_t frame, int channel) {
    const uint8_t* p = b.memory->data() + size_t(frame) * b.block_align;
    if (b.bits == 8) return (int32_t(p[channel]) - 128) * 256;
    return int16_t(uint16_t(p[2 * channel] | p[2 * channel + 1] << 8));
}

// Adds `frames` frames of one buffer into the 32-bit accumulator and moves it on.
void mix_buffer(SoundBuffer& b, int32_t* accumulator, size_t frames, uint32_t output_rate) {
    const uint32_t length = b.frames();
    if (length == 0) {
        b.playing = false;
        return;
    }
    const uint64_t end = uint64_t(length) << 32;
    const uint64_t step = (uint64_t(b.frequency) << 32) / output_rate;
    const int last_channel = b.channels - 1;
    for (size_t i = 0; i < frames; ++i) {
        const uint32_t frame = uint32_t(b.position >> 32);
        const int32_t fraction = int32_t((b.position >> 16) & 0xFFFF);
        // The frame after the last is the first again when looping, else silence.
        const bool has_next = frame + 1 < length || b.looping;
        const uint32_t next = frame + 1 < length ? frame + 1 : 0;
        for (int side = 0; side < 2; ++side) {
            const int channel = std::min(side, last_channel);
            const int32_t s0 = sample_at(b, frame, channel);
            const int32_t s1 = has_next ? sample_at(b, next, channel) : 0;
            const int32_t value = s0 + int32_t((int64_t(s1 - s0) * fraction) >> 16);
            const int32_t gain = side == 0 ? b.gain_left : b.gain_right;
            accumulator[2 * i + side] += int32_t((int64_t(value) * gain) >> 16);
        }
        b.position += step;
        if (b.position >= end) {
            if (b.looping) {
                b.position %= end;
            } else {  // a once-only sound stops at its end, rewound for its next play
                b.playing = false;
                b.position = 0;
                return;
            }
        }
    }
}

}  // namespace

void softsound_set_output_rate(uint32_t samples_per_second) {
    if (samples_per_second >= kSoundFrequencyMin && samples_per_second <= 192000)
        softsound_state().output_rate = samples_per_second;
}

uint32_t softsound_output_rate() { return softsound_state().output_rate; }

void softsound_mix(int16_t* out, size_t frames) {
    if (out == nullptr || frames == 0) return;
    SoftsoundState& state = softsound_state();
    std::vector<int32_t> accumulator(frames * kSoftsoundChannels, 0);
    for (SoundBuffer* b : state.buffers)
        if (b->playing && !b->lost) mix_buffer(*b, accumulator.data(), frames, state.output_rate);
    for (size_t i = 0; i < accumulator.size(); ++i)
        out[i] = int16_t(std::clamp<int32_t>(accumulator[i], -32768, 32767));
}
