// The sound library against the scripted platform: start-up and shut-down, voice picking, lost
// buffers, split locks, clamps and every failure path.
#include "fake_sound_platform.h"
#include "hornmod/gsound/gsound_internal.h"
#include "wave_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void* const kModule = reinterpret_cast<void*>(0x4D0D);
const std::vector<uint8_t> kClickSamples = ramp(301);
const std::vector<uint8_t> kHornSamples = ramp(500, 40);

class Gsound : public ::testing::Test {
protected:
    SoundDescriptor click{"CLICK", nullptr};
    SoundDescriptor horn{"HORN", nullptr};
    SoundDescriptor* sounds[3] = {&click, &horn, nullptr};

    void SetUp() override {
        fake_sound_reset();
        fake().resources["CLICK"] =
            riff_image({{"fmt ", pcm_format(18)}, {"fact", {45, 1, 0, 0}}, {"data", kClickSamples}});
        fake().resources["HORN"] =
            riff_image({{"fmt ", pcm_format(16, 16)}, {"data", kHornSamples}, {"LIST", {'I', 'N', 'F', 'O'}}});
    }
    void TearDown() override {
        gsound_shutdown(sounds);
        EXPECT_EQ(fake().live_buffers(), 0);
        EXPECT_EQ(fake().allocations_live, 0);
        EXPECT_EQ(fake().devices_open, 0);
    }
    static FakeSoundPlatform& fake() { return fake_sound(); }
    static FakeBuffer* buffer_of(SoundBuffer* b) { return fake().buffer(fake_buffer_id(b)); }
    // A three-voice set of the click, made the way start-up makes one-voice sets.
    VoiceSet* three_voices() {
        gsound_start(sounds, kModule);
        return voice_set_create(gsound_device(), "CLICK", 3);
    }
};

TEST_F(Gsound, StartLoadsEachSoundIntoOneStaticBuffer) {
    gsound_start(sounds, kModule);
    ASSERT_NE(gsound_device(), nullptr);
    EXPECT_EQ(fake().cooperative_window, fake().active_window);
    EXPECT_EQ(fake().cooperative_level, 1u);
    EXPECT_EQ(fake().last_resource_module, kModule);
    ASSERT_NE(click.voice_set, nullptr);
    ASSERT_NE(horn.voice_set, nullptr);
    EXPECT_EQ(click.voice_set->voice_count, 1);
    EXPECT_EQ(click.voice_set->next_voice, 0);
    EXPECT_EQ(click.voice_set->wave_size, kClickSamples.size());
    EXPECT_EQ(horn.voice_set->wave_size, kHornSamples.size());

    FakeBuffer* b = buffer_of(click.voice_set->voices[0]);
    EXPECT_EQ(b->description.size, 20u);
    EXPECT_EQ(b->description.flags, 0x100F2u);
    EXPECT_EQ(b->description.buffer_bytes, kClickSamples.size());
    EXPECT_EQ(b->description.reserved, 0u);
    // The format record is handed on in place, straight from the resource's "fmt " chunk.
    EXPECT_EQ(b->description.format, fake().resources["CLICK"].data() + 20);
    EXPECT_EQ(*b->memory, kClickSamples);
    // The set's samples stay in the resource; nothing was copied but into the buffer.
    EXPECT_EQ(click.voice_set->wave_data, fake().resources["CLICK"].data() + 20 + 18 + 8 + 12);
    EXPECT_EQ(*buffer_of(horn.voice_set->voices[0])->memory, kHornSamples);
}

TEST_F(Gsound, ShutdownReleasesEverythingAndSilences) {
    gsound_start(sounds, kModule);
    ASSERT_EQ(gsound_play(&horn, kGsoundPlayLooping), 1);
    gsound_shutdown(sounds);
    EXPECT_EQ(click.voice_set, nullptr);
    EXPECT_EQ(horn.voice_set, nullptr);
    EXPECT_EQ(gsound_device(), nullptr);
    EXPECT_EQ(fake().live_buffers(), 0);
    EXPECT_EQ(fake().allocations_live, 0);
    EXPECT_EQ(fake().log.back(), "release device");
    // Off again: play and stop find no voice set.
    EXPECT_EQ(gsound_play(&horn, 0), 0);
    EXPECT_EQ(gsound_stop(&horn), 0);
    gsound_shutdown(sounds);  // a second shut-down does nothing
    EXPECT_EQ(fake().log.back(), "release device");
}

TEST_F(Gsound, SingleVoiceIsNeverInterrupted) {
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(horn.voice_set->voices[0]);
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayOnce), 1);
    EXPECT_TRUE(b->playing);
    EXPECT_FALSE(b->looping);
    // Busy: neither a second once-only play nor a looping play restarts it.
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayOnce), 0);
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayLooping), 0);
    EXPECT_EQ(b->plays, 1);
    EXPECT_EQ(b->stops, 0);
    EXPECT_FALSE(b->looping);
    // Nor does a setter touch it.
    gsound_set_volume(&horn, -500);
    EXPECT_EQ(b->volume_sets, 0);
    // Once it has finished, it plays again.
    b->playing = false;
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayLooping), 1);
    EXPECT_TRUE(b->looping);
}

TEST_F(Gsound, StopStopsAndRewindsEveryVoice) {
    VoiceSet* set = three_voices();
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(voice_set_stop(set), 1);
    for (int i = 0; i < 3; ++i) {
        FakeBuffer* b = buffer_of(set->voices[i]);
        EXPECT_FALSE(b->playing);
        EXPECT_EQ(b->stops, 1);
        EXPECT_EQ(b->rewinds, 1);
        EXPECT_EQ(b->position, 0u);
    }
    voice_set_destroy(set);
    EXPECT_EQ(voice_set_stop(nullptr), 0);
}

TEST_F(Gsound, ExtraVoicesAreDuplicatesSharingTheSamples) {
    VoiceSet* set = three_voices();
    ASSERT_NE(set, nullptr);
    int first = fake_buffer_id(set->voices[0]);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(buffer_of(set->voices[i])->duplicate_of, first);
        EXPECT_EQ(buffer_of(set->voices[i])->memory, buffer_of(set->voices[0])->memory);
    }
    voice_set_destroy(set);
}

TEST_F(Gsound, ThreeVoicesAreTakenInTurn) {
    VoiceSet* set = three_voices();
    ASSERT_NE(set, nullptr);
    FakeBuffer* v[3];
    for (int i = 0; i < 3; ++i) v[i] = buffer_of(set->voices[i]);

    // Idle at next_voice: that voice plays, nothing is stopped, next_voice stays.
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(v[0]->plays, 1);
    EXPECT_EQ(set->next_voice, 0);

    // Busy, the following one idle: next_voice moves on and the idle one plays.
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(set->next_voice, 1);
    EXPECT_EQ(v[1]->plays, 1);
    EXPECT_EQ(v[0]->stops + v[1]->stops, 0);
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(set->next_voice, 2);
    EXPECT_EQ(v[2]->plays, 1);

    // All busy: the next in the cycle is stopped, rewound and started again.
    v[0]->position = 123;
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(set->next_voice, 0);
    EXPECT_EQ(v[0]->stops, 1);
    EXPECT_EQ(v[0]->position, 0u);
    EXPECT_EQ(v[0]->plays, 2);
    EXPECT_TRUE(v[0]->playing);
    EXPECT_EQ(v[1]->stops + v[2]->stops, 0);

    // Looping is only for single-voice sounds.
    EXPECT_EQ(voice_set_play(set, kGsoundPlayLooping), 0);
    voice_set_destroy(set);
}

TEST_F(Gsound, AFailingStatusQuestionCountsAsIdle) {
    VoiceSet* set = three_voices();
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(voice_set_play(set, 0), 1);
    // The voice at next_voice plays but its status cannot be read: it is taken as idle and
    // started again from where it is.
    fake().fail_status_of = fake_buffer_id(set->voices[0]);
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(set->next_voice, 0);
    EXPECT_EQ(buffer_of(set->voices[0])->plays, 2);
    // Busy voice 0 readable, voice 1's question fails: voice 1 is taken without a stop.
    fake().fail_status_of = fake_buffer_id(set->voices[1]);
    buffer_of(set->voices[1])->playing = true;
    EXPECT_EQ(voice_set_play(set, 0), 1);
    EXPECT_EQ(set->next_voice, 1);
    EXPECT_EQ(buffer_of(set->voices[1])->stops, 0);
    voice_set_destroy(set);
}

TEST_F(Gsound, LostBufferIsRestoredAndRefilledBeforeUse) {
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(horn.voice_set->voices[0]);
    int fills = b->fills;
    fake().lose(b->id);
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayLooping), 1);
    EXPECT_EQ(b->restores, 1);
    EXPECT_EQ(b->fills, fills + 1);
    EXPECT_EQ(*b->memory, kHornSamples);
    EXPECT_TRUE(b->playing);
}

TEST_F(Gsound, LostBufferThatCannotComeBackPlaysNothingUntilItDoes) {
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(click.voice_set->voices[0]);
    fake().lose(b->id);
    fake().fail_restore = true;
    EXPECT_EQ(gsound_play(&click, 0), 0);
    gsound_set_pan(&click, 100);
    EXPECT_EQ(b->pan_sets, 0);
    EXPECT_EQ(b->plays, 0);
    // The next attempt tries again.
    fake().fail_restore = false;
    EXPECT_EQ(gsound_play(&click, 0), 1);
    EXPECT_EQ(b->restores, 3);
    EXPECT_EQ(*b->memory, kClickSamples);
}

TEST_F(Gsound, LostBufferWhoseRefillFailsPlaysNothing) {
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(click.voice_set->voices[0]);
    fake().lose(b->id);
    fake().fail_lock = true;
    EXPECT_EQ(gsound_play(&click, 0), 0);
    EXPECT_EQ(b->restores, 1);
    EXPECT_EQ(b->plays, 0);
}

TEST_F(Gsound, SplitRegionsAreFilledInTwoParts) {
    fake().split_lock_at = 123;
    gsound_start(sounds, kModule);
    EXPECT_EQ(*buffer_of(click.voice_set->voices[0])->memory, kClickSamples);
    EXPECT_EQ(*buffer_of(horn.voice_set->voices[0])->memory, kHornSamples);
}

TEST_F(Gsound, FillRefusesMissingInputs) {
    gsound_start(sounds, kModule);
    SoundBuffer* voice = click.voice_set->voices[0];
    const uint8_t byte = 1;
    EXPECT_EQ(wave_buffer_fill(nullptr, &byte, 1), 0);
    EXPECT_EQ(wave_buffer_fill(voice, nullptr, 1), 0);
    EXPECT_EQ(wave_buffer_fill(voice, &byte, 0), 0);
    fake().fail_lock = true;
    EXPECT_EQ(wave_buffer_fill(voice, &byte, 1), 0);
}

TEST_F(Gsound, ReloadRestoresAndRefillsByName) {
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(horn.voice_set->voices[0]);
    fake().lose(b->id);
    EXPECT_EQ(wave_buffer_reload(horn.voice_set->voices[0], "HORN"), 1);
    EXPECT_EQ(*b->memory, kHornSamples);
    EXPECT_EQ(wave_buffer_reload(horn.voice_set->voices[0], "NOSUCH"), 0);
    fake().fail_restore = true;
    EXPECT_EQ(wave_buffer_reload(horn.voice_set->voices[0], "HORN"), 0);
}

TEST_F(Gsound, SettersClampTheirValues) {
    struct Case {
        int32_t pan, expected_pan;
        int32_t volume, expected_volume;
        uint32_t frequency, expected_frequency;
    };
    const Case cases[] = {
        {20000, 10000, 1, 0, 50, 100},
        {-20000, -10000, -20000, -10000, 200000, 100000},
        {10000, 10000, 0, 0, 100000, 100000},
        {-10000, -10000, -10000, -10000, 100, 100},
        {-5, -5, -5, -5, 22050, 22050},
        {INT32_MAX, 10000, INT32_MIN, -10000, 0, 100},
        // "Negative" as a signed number: a large unsigned one.
        {INT32_MIN, -10000, INT32_MAX, 0, uint32_t(-1), 100000},
        {0, 0, -1, -1, uint32_t(-44100), 100000},
    };
    gsound_start(sounds, kModule);
    FakeBuffer* b = buffer_of(click.voice_set->voices[0]);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pan);
        gsound_set_pan(&click, c.pan);
        gsound_set_volume(&click, c.volume);
        gsound_set_frequency(&click, c.frequency);
        EXPECT_EQ(b->pan, c.expected_pan);
        EXPECT_EQ(b->volume, c.expected_volume);
        EXPECT_EQ(b->frequency, c.expected_frequency);
    }
}

TEST_F(Gsound, SettersPickLikePlay) {
    VoiceSet* set = three_voices();
    ASSERT_NE(set, nullptr);
    SoundDescriptor multi{"CLICK", set};
    ASSERT_EQ(voice_set_play(set, 0), 1);
    // Voice 0 busy: the setter moves on to voice 1 and sets it there.
    gsound_set_pan(&multi, 300);
    EXPECT_EQ(set->next_voice, 1);
    EXPECT_EQ(buffer_of(set->voices[1])->pan, 300);
    EXPECT_EQ(buffer_of(set->voices[0])->pan_sets, 0);
    voice_set_destroy(set);
}

TEST_F(Gsound, VoiceCountBelowOneMakesOneVoice) {
    gsound_start(sounds, kModule);
    for (int32_t count : {0, -1, INT32_MIN}) {
        VoiceSet* set = voice_set_create(gsound_device(), "HORN", count);
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(set->voice_count, 1);
        EXPECT_NE(set->voices[0], nullptr);
        voice_set_destroy(set);
    }
}

TEST_F(Gsound, MissingResourceLeavesTheSoundUnloaded) {
    SoundDescriptor ghost{"GHOST", nullptr};
    SoundDescriptor* list[] = {&ghost, &horn, nullptr};
    gsound_start(list, kModule);
    EXPECT_EQ(ghost.voice_set, nullptr);
    EXPECT_NE(horn.voice_set, nullptr);  // the loop goes on with the next sound
    EXPECT_EQ(gsound_play(&ghost, 0), 0);
    EXPECT_EQ(gsound_stop(&ghost), 0);
    gsound_set_volume(&ghost, -100);  // does nothing, and does not crash
    EXPECT_EQ(wave_resource_find(kModule, "GHOST", nullptr, nullptr, nullptr), 0);
    gsound_shutdown(list);
}

TEST_F(Gsound, ResourceThatIsNotAWaveIsFoundButYieldsNothing) {
    fake().resources["CLICK"] = riff_image({{"fmt ", pcm_format(16)}, {"data", kClickSamples}},
                                           "RIFF", "AVI ");
    const SoundWaveFormat* format = reinterpret_cast<const SoundWaveFormat*>(1);
    const uint8_t* data = reinterpret_cast<const uint8_t*>(1);
    uint32_t size = 9;
    EXPECT_EQ(wave_resource_find(kModule, "CLICK", &format, &data, &size), 1);
    EXPECT_EQ(format, nullptr);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
    // Start-up makes a set whose one voice could not be created: silent, but stoppable.
    gsound_start(sounds, kModule);
    ASSERT_NE(click.voice_set, nullptr);
    EXPECT_EQ(click.voice_set->voices[0], nullptr);
    EXPECT_EQ(gsound_play(&click, 0), 0);
    EXPECT_EQ(gsound_stop(&click), 1);
}

TEST_F(Gsound, NoDeviceMeansNoSound) {
    fake().fail_device_create = true;
    gsound_start(sounds, kModule);
    EXPECT_EQ(gsound_device(), nullptr);
    EXPECT_EQ(click.voice_set, nullptr);
    EXPECT_EQ(horn.voice_set, nullptr);
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayLooping), 0);
    EXPECT_EQ(gsound_stop(&horn), 0);
    gsound_shutdown(sounds);
    EXPECT_EQ(fake().log, std::vector<std::string>{"create device"});
}

TEST_F(Gsound, RefusedCooperativeLevelClosesTheDevice) {
    fake().fail_cooperative_level = true;
    gsound_start(sounds, kModule);
    EXPECT_EQ(gsound_device(), nullptr);
    EXPECT_EQ(fake().devices_open, 0);
    EXPECT_EQ(click.voice_set, nullptr);
    EXPECT_EQ(gsound_play(&click, 0), 0);
    EXPECT_EQ(fake().log,
              (std::vector<std::string>{"create device", "cooperative level", "release device"}));
}

TEST_F(Gsound, BufferWithoutTheThreeDInterfaceIsDropped) {
    fake().fail_3d_query = true;
    gsound_start(sounds, kModule);
    ASSERT_NE(horn.voice_set, nullptr);
    EXPECT_EQ(horn.voice_set->voices[0], nullptr);
    EXPECT_EQ(fake().live_buffers(), 0);
    EXPECT_EQ(gsound_play(&horn, 0), 0);
    EXPECT_EQ(gsound_stop(&horn), 1);
    gsound_set_pan(&horn, 5);
}

TEST_F(Gsound, RefusedBufferCreationLeavesASilentSet) {
    fake().fail_buffer_creations = 1;  // the first sound's buffer
    gsound_start(sounds, kModule);
    ASSERT_NE(click.voice_set, nullptr);
    EXPECT_EQ(click.voice_set->voices[0], nullptr);
    EXPECT_NE(horn.voice_set->voices[0], nullptr);
    EXPECT_EQ(gsound_play(&click, 0), 0);
    EXPECT_EQ(gsound_play(&horn, 0), 1);
}

TEST_F(Gsound, RefusedDuplicateFallsBackToAFreshLoad) {
    gsound_start(sounds, kModule);
    fake().fail_duplicate = true;
    VoiceSet* set = voice_set_create(gsound_device(), "CLICK", 2);
    ASSERT_NE(set, nullptr);
    FakeBuffer* extra = buffer_of(set->voices[1]);
    EXPECT_EQ(extra->duplicate_of, 0);
    EXPECT_EQ(*extra->memory, kClickSamples);
    voice_set_destroy(set);
}

TEST_F(Gsound, VoiceThatCannotBeMadeAtAllDestroysTheSet) {
    gsound_start(sounds, kModule);
    const int live_before = fake().live_buffers();
    const int allocations_before = fake().allocations_live;
    // Voice 0 loads; for voice 1 the duplicate is refused and the fresh load too.
    fake().fail_duplicate = true;
    fake().buffer_creations_allowed = 1;
    EXPECT_EQ(voice_set_create(gsound_device(), "CLICK", 2), nullptr);
    EXPECT_EQ(int(fake().buffers.size()), live_before + 1);  // voice 0 was made ...
    EXPECT_EQ(fake().live_buffers(), live_before);           // ... and released again
    EXPECT_EQ(fake().allocations_live, allocations_before);
}

TEST_F(Gsound, FailedAllocationTreatsTheSoundAsMissing) {
    fake().fail_alloc = true;
    gsound_start(sounds, kModule);
    EXPECT_NE(gsound_device(), nullptr);
    EXPECT_EQ(click.voice_set, nullptr);
    EXPECT_EQ(horn.voice_set, nullptr);
    EXPECT_EQ(fake().live_buffers(), 0);
    EXPECT_EQ(gsound_play(&horn, 0), 0);
}

TEST_F(Gsound, RefusedPlayReportsFailure) {
    gsound_start(sounds, kModule);
    fake().fail_play = true;
    EXPECT_EQ(gsound_play(&horn, 0), 0);
}

}  // namespace
