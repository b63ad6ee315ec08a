// The software sound device: what it accepts and refuses as DirectSound would, and what its
// mixer plays.
#include "platform/softsound/softsound.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kAllControls = kSoundCapsStatic | kSoundCapsCtrl3D | kSoundCapsCtrlFrequency |
                                  kSoundCapsCtrlPan | kSoundCapsCtrlVolume |
                                  kSoundCapsGetCurrentPosition2;

SoundWaveFormat pcm(uint16_t bits, uint32_t rate, uint16_t channels = 1) {
    uint16_t align = uint16_t(channels * bits / 8);
    return SoundWaveFormat{1, channels, rate, rate * align, align, bits, 0};
}

class Softsound : public ::testing::Test {
protected:
    SoundDevice* device = nullptr;

    void SetUp() override {
        softsound_set_unavailable(false);
        softsound_set_output_rate(44100);
        ASSERT_EQ(sound_device_create(&device), kSoundOk);
        ASSERT_EQ(sound_device_set_cooperative_level(device, nullptr, kSoundCooperativeNormal),
                  kSoundOk);
    }
    void TearDown() override {
        EXPECT_EQ(sound_device_release(device), 0u);
        EXPECT_EQ(softsound_buffer_count(), 0u);  // closing the device freed its buffers
    }

    SoundBuffer* make(const SoundWaveFormat& format, const std::vector<uint8_t>& bytes,
                      uint32_t flags = kAllControls) {
        SoundBufferDescription d{20, flags, uint32_t(bytes.size()), 0, &format};
        SoundBuffer* b = nullptr;
        EXPECT_EQ(sound_device_create_buffer(device, &d, &b), kSoundOk);
        if (b == nullptr) return nullptr;
        void* r1 = nullptr;
        void* r2 = nullptr;
        uint32_t n1 = 0, n2 = 0;
        EXPECT_EQ(sound_buffer_lock(b, 0, uint32_t(bytes.size()), &r1, &n1, &r2, &n2, 0), kSoundOk);
        std::memcpy(r1, bytes.data(), n1);
        EXPECT_EQ(sound_buffer_unlock(b, r1, n1, r2, n2), kSoundOk);
        return b;
    }

    static std::vector<int16_t> mix(size_t frames) {
        std::vector<int16_t> out(frames * 2, 12345);
        softsound_mix(out.data(), frames);
        return out;
    }

    static SoftsoundBufferInfo info_of(SoundBuffer* b) {
        SoftsoundBufferInfo info{};
        EXPECT_TRUE(softsound_describe(b, &info));
        return info;
    }
};

std::vector<uint8_t> pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> v;
    for (int16_t s : samples) {
        v.push_back(uint8_t(uint16_t(s)));
        v.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return v;
}

// Plays a scene of three buffers and mixes `total` frames in chunks of the given sizes (cycled).
std::vector<int16_t> mix_scene(SoundDevice* device, size_t total,
                               const std::vector<size_t>& chunks) {
    const SoundWaveFormat eight = pcm(8, 22050);
    const SoundWaveFormat sixteen = pcm(16, 11025);
    const SoundWaveFormat stereo = pcm(16, 48000, 2);
    std::vector<uint8_t> a(997), b, c;
    for (size_t i = 0; i < a.size(); ++i) a[i] = uint8_t(128 + 100 * ((i / 11) % 2 ? 1 : -1));
    std::vector<int16_t> wave;
    for (int i = 0; i < 313; ++i) wave.push_back(int16_t((i * 977) % 20000 - 10000));
    b = pcm16(wave);
    c = pcm16(std::vector<int16_t>(wave.rbegin(), wave.rend()));

    std::vector<SoundBuffer*> buffers;
    for (auto [format, bytes] : {std::pair{&eight, &a}, {&sixteen, &b}, {&stereo, &c}}) {
        SoundBufferDescription d{20, format == &stereo ? kAllControls & ~kSoundCapsCtrl3D : kAllControls,
                                 uint32_t(bytes->size()), 0, format};
        SoundBuffer* buffer = nullptr;
        sound_device_create_buffer(device, &d, &buffer);
        void *r1, *r2;
        uint32_t n1, n2;
        sound_buffer_lock(buffer, 0, uint32_t(bytes->size()), &r1, &n1, &r2, &n2, 0);
        std::memcpy(r1, bytes->data(), n1);
        sound_buffer_unlock(buffer, r1, n1, r2, n2);
        buffers.push_back(buffer);
    }
    sound_buffer_set_pan(buffers[0], -2500);
    sound_buffer_set_volume(buffers[1], -300);
    sound_buffer_set_frequency(buffers[1], 13001);
    sound_buffer_play(buffers[0], 0, 0, kSoundPlayLooping);
    sound_buffer_play(buffers[1], 0, 0, 0);
    sound_buffer_play(buffers[2], 0, 0, kSoundPlayLooping);

    std::vector<int16_t> out;
    for (size_t done = 0, k = 0; done < total; ++k) {
        size_t n = std::min(chunks[k % chunks.size()], total - done);
        std::vector<int16_t> part(n * 2);
        softsound_mix(part.data(), n);
        out.insert(out.end(), part.begin(), part.end());
        done += n;
    }
    for (SoundBuffer* buffer : buffers) sound_buffer_release(buffer);
    return out;
}

TEST_F(Softsound, MixIsTheSameWhateverTheFrameSize) {
    const size_t total = 44100;
    auto whole = mix_scene(device, total, {total});
    EXPECT_EQ(mix_scene(device, total, {2450}), whole);       // 18 frames a second
    EXPECT_EQ(mix_scene(device, total, {1764}), whole);       // 25 frames a second
    EXPECT_EQ(mix_scene(device, total, {1, 7, 333, 4096}), whole);
    // And it is not silent: the scene does play.
    size_t loud = 0;
    for (int16_t s : whole) loud += s > 1000 || s < -1000;
    EXPECT_GT(loud, whole.size() / 4);
}

TEST_F(Softsound, OnceOnlyBufferPlaysToItsEndThenStopsRewound) {
    softsound_set_output_rate(22050);  // one output frame a sample
    SoundBuffer* b = make(pcm(16, 22050), pcm16({1000, 2000, 3000, 4000}));
    ASSERT_EQ(sound_buffer_play(b, 0, 0, 0), kSoundOk);
    auto out = mix(6);
    EXPECT_EQ(out, (std::vector<int16_t>{1000, 1000, 2000, 2000, 3000, 3000, 4000, 4000, 0, 0, 0, 0}));
    uint32_t status = 99;
    sound_buffer_get_status(b, &status);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(info_of(b).position, 0u);
    // Played again, it starts from the first sample.
    ASSERT_EQ(sound_buffer_play(b, 0, 0, 0), kSoundOk);
    EXPECT_EQ(mix(1), (std::vector<int16_t>{1000, 1000}));
    sound_buffer_release(b);
}

TEST_F(Softsound, LoopingBufferWrapsAndPlaysUntilStopped) {
    softsound_set_output_rate(22050);
    SoundBuffer* b = make(pcm(8, 22050), {128 + 10, 128 + 20, 128 + 30, 128 + 40});
    ASSERT_EQ(sound_buffer_play(b, 0, 0, kSoundPlayLooping), kSoundOk);
    auto out = mix(7);
    std::vector<int16_t> left;
    for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<int16_t>{2560, 5120, 7680, 10240, 2560, 5120, 7680}));
    uint32_t status = 0;
    sound_buffer_get_status(b, &status);
    EXPECT_EQ(status, kSoundStatusPlaying | kSoundStatusLooping);
    EXPECT_EQ(info_of(b).position, 3u);
    sound_buffer_stop(b);
    EXPECT_EQ(mix(2), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(info_of(b).position, 3u);  // stop keeps the place; a rewind is separate
    sound_buffer_set_position(b, 0);
    EXPECT_EQ(info_of(b).position, 0u);
    sound_buffer_release(b);
}

TEST_F(Softsound, FrequencyResamplesLinearly) {
    softsound_set_output_rate(44100);
    SoundBuffer* b = make(pcm(16, 22050), pcm16({0, 1000, 2000}));
    sound_buffer_play(b, 0, 0, 0);
    auto out = mix(8);
    std::vector<int16_t> left;
    for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
    // Half a sample an output frame: the points between samples are interpolated; after the
    // last sample the sound fades toward silence and stops.
    EXPECT_EQ(left, (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 1000, 0, 0}));
    ASSERT_EQ(sound_buffer_set_frequency(b, 44100), kSoundOk);
    EXPECT_EQ(info_of(b).frequency, 44100u);
    ASSERT_EQ(sound_buffer_set_frequency(b, kSoundFrequencyOriginal), kSoundOk);
    EXPECT_EQ(info_of(b).frequency, 22050u);
    sound_buffer_release(b);
}

TEST_F(Softsound, PanAndVolumeAttenuateInHundredthsOfADecibel) {
    softsound_set_output_rate(22050);
    SoundBuffer* b = make(pcm(16, 22050), pcm16({20000, 20000, 20000, 20000}));
    sound_buffer_play(b, 0, 0, kSoundPlayLooping);
    struct Case {
        int32_t volume, pan;
        int16_t left, right;
    };
    const Case cases[] = {
        {0, 0, 20000, 20000},
        {-600, 0, 10024, 10024},          // -6 dB: about half
        {-10000, 0, 0, 0},                // the bottom of the scale is silence
        {0, 10000, 0, 20000},             // full right: the left side silent
        {0, -10000, 20000, 0},
        {0, 2000, 2000, 20000},           // right of centre: the left 20 dB down
        {-600, -600, 10024, 5024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " " << c.pan);
        ASSERT_EQ(sound_buffer_set_volume(b, c.volume), kSoundOk);
        ASSERT_EQ(sound_buffer_set_pan(b, c.pan), kSoundOk);
        auto out = mix(1);
        EXPECT_NEAR(out[0], c.left, 1);
        EXPECT_NEAR(out[1], c.right, 1);
    }
    sound_buffer_release(b);
}

TEST_F(Softsound, LoudSoundsTogetherClipInsteadOfWrapping) {
    softsound_set_output_rate(22050);
    SoundBuffer* a = make(pcm(16, 22050), pcm16({30000, -30000}));
    SoundBuffer* b = make(pcm(16, 22050), pcm16({30000, -30000}));
    sound_buffer_play(a, 0, 0, 0);
    sound_buffer_play(b, 0, 0, 0);
    EXPECT_EQ(mix(2), (std::vector<int16_t>{32767, 32767, -32768, -32768}));
    sound_buffer_release(a);
    sound_buffer_release(b);
}

TEST_F(Softsound, ChecksBuffersAsDirectSoundDoes) {
    const SoundWaveFormat mono = pcm(8, 22050);
    const SoundWaveFormat stereo = pcm(16, 22050, 2);
    SoundWaveFormat not_pcm = mono;
    not_pcm.format_tag = 3;
    SoundWaveFormat odd_align = mono;
    odd_align.block_align = 3;
    SoundWaveFormat slow = pcm(8, 50);
    struct Case {
        const char* name;
        SoundBufferDescription description;
        SoundResult result;
    };
    const Case cases[] = {
        {"plain", {20, kAllControls, 100, 0, &mono}, kSoundOk},
        {"with the later size", {36, kAllControls, 100, 0, &mono}, kSoundOk},
        {"bad description size", {24, kAllControls, 100, 0, &mono}, kSoundInvalidParam},
        {"no format", {20, kAllControls, 100, 0, nullptr}, kSoundInvalidParam},
        {"too small", {20, kAllControls, 3, 0, &mono}, kSoundInvalidParam},
        {"not PCM", {20, kAllControls, 100, 0, &not_pcm}, kSoundInvalidParam},
        {"odd block alignment", {20, kAllControls, 100, 0, &odd_align}, kSoundInvalidParam},
        {"rate below the range", {20, kAllControls, 100, 0, &slow}, kSoundInvalidParam},
        {"3D in stereo", {20, kAllControls, 100, 0, &stereo}, kSoundInvalidParam},
        {"stereo without 3D", {20, kSoundCapsStatic, 100, 0, &stereo}, kSoundOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundBuffer* b = reinterpret_cast<SoundBuffer*>(1);
        EXPECT_EQ(sound_device_create_buffer(device, &c.description, &b), c.result);
        if (c.result == kSoundOk) {
            ASSERT_NE(b, nullptr);
            sound_buffer_release(b);
        } else {
            EXPECT_EQ(b, nullptr);
        }
    }
}

TEST_F(Softsound, ControlsNeedTheirCapabilityAndStayInRange) {
    SoundBuffer* plain = make(pcm(8, 22050), std::vector<uint8_t>(10, 128), kSoundCapsStatic);
    EXPECT_EQ(sound_buffer_set_pan(plain, 0), kSoundControlUnavailable);
    EXPECT_EQ(sound_buffer_set_volume(plain, 0), kSoundControlUnavailable);
    EXPECT_EQ(sound_buffer_set_frequency(plain, 22050), kSoundControlUnavailable);
    EXPECT_EQ(sound_buffer_query_3d(plain), kSoundNoInterface);
    SoundBuffer* full = make(pcm(8, 22050), std::vector<uint8_t>(10, 128));
    EXPECT_EQ(sound_buffer_query_3d(full), kSoundOk);
    EXPECT_EQ(sound_buffer_set_pan(full, 10001), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_set_volume(full, 1), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_set_volume(full, -10001), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_set_frequency(full, 99), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_set_frequency(full, 100001), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_set_position(full, 10), kSoundInvalidParam);
    sound_buffer_release(plain);
    sound_buffer_release(full);
}

TEST_F(Softsound, LockWrapsRoundTheEndInTwoRegions) {
    SoundBuffer* b = make(pcm(8, 22050), std::vector<uint8_t>(10, 128));
    void *r1 = nullptr, *r2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    ASSERT_EQ(sound_buffer_lock(b, 6, 7, &r1, &n1, &r2, &n2, 0), kSoundOk);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 3u);
    EXPECT_EQ(static_cast<uint8_t*>(r1) - static_cast<uint8_t*>(r2), 6);
    EXPECT_EQ(sound_buffer_unlock(b, r1, n1, r2, n2), kSoundOk);
    EXPECT_EQ(sound_buffer_lock(b, 0, 11, &r1, &n1, &r2, &n2, 0), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_lock(b, 10, 1, &r1, &n1, &r2, &n2, 0), kSoundInvalidParam);
    EXPECT_EQ(sound_buffer_unlock(b, static_cast<uint8_t*>(r1) + 100, 1, nullptr, 0),
              kSoundInvalidParam);
    sound_buffer_release(b);
}

TEST_F(Softsound, LostBuffersRefuseUntilRestored) {
    SoundBuffer* b = make(pcm(8, 22050), std::vector<uint8_t>(10, 200));
    sound_buffer_play(b, 0, 0, kSoundPlayLooping);
    softsound_lose_all();
    uint32_t status = 0;
    sound_buffer_get_status(b, &status);
    EXPECT_EQ(status, kSoundStatusLost);
    EXPECT_EQ(sound_buffer_play(b, 0, 0, 0), kSoundBufferLost);
    void *r1, *r2;
    uint32_t n1, n2;
    EXPECT_EQ(sound_buffer_lock(b, 0, 10, &r1, &n1, &r2, &n2, 0), kSoundBufferLost);
    EXPECT_EQ(sound_buffer_restore(b), kSoundOk);
    // The memory came back empty: its contents have to be written again.
    EXPECT_EQ(info_of(b).samples[0], 0);
    EXPECT_EQ(sound_buffer_play(b, 0, 0, 0), kSoundOk);
    sound_buffer_release(b);
}

TEST_F(Softsound, DuplicatesShareTheSamplesButPlayOnTheirOwn) {
    SoundBuffer* original = make(pcm(8, 22050), std::vector<uint8_t>(10, 140));
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(sound_device_duplicate_buffer(device, original, &copy), kSoundOk);
    SoftsoundBufferInfo first = info_of(original), second = info_of(copy);
    EXPECT_EQ(second.duplicate_of, first.id);
    EXPECT_EQ(second.samples, first.samples);
    sound_buffer_play(copy, 0, 0, 0);
    sound_buffer_get_status(original, &first.id);  // reuse as a status word
    EXPECT_EQ(first.id, 0u);
    sound_buffer_release(original);
    EXPECT_EQ(softsound_buffer_count(), 1u);
    sound_buffer_release(copy);
}

TEST_F(Softsound, CountsStartsAndStopsThatChangeSomething) {
    SoundBuffer* b = make(pcm(8, 22050), std::vector<uint8_t>(10, 128));
    sound_buffer_stop(b);                          // nothing playing: not a stop
    sound_buffer_play(b, 0, 0, 0);
    sound_buffer_play(b, 0, 0, kSoundPlayLooping); // already playing: not a start
    sound_buffer_stop(b);
    sound_buffer_stop(b);
    SoftsoundBufferInfo info = info_of(b);
    EXPECT_EQ(info.starts, 1u);
    EXPECT_EQ(info.stops, 1u);
    sound_buffer_release(b);
}

TEST(SoftsoundDevice, UnavailableDeviceDoesNotOpen) {
    softsound_set_unavailable(true);
    SoundDevice* device = reinterpret_cast<SoundDevice*>(1);
    EXPECT_EQ(sound_device_create(&device), kSoundNoDriver);
    EXPECT_EQ(device, nullptr);
    softsound_set_unavailable(false);
}

TEST(SoftsoundDevice, AnswersTheActiveWindowItWasGiven) {
    int window = 0;
    softsound_set_active_window(&window);
    EXPECT_EQ(platform_active_window(), &window);
    softsound_set_active_window(nullptr);
}

}  // namespace
