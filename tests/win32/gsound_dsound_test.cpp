// The gauge sound library against real DirectSound (under Wine, its null sound device): the
// horn's own recordings, carried as resources of this program, loaded, played once and looping,
// stopped, adjusted and released.
#include "hornmod/gsound/gsound_internal.h"

#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

namespace {

IDirectSoundBuffer* dsound_buffer(SoundBuffer* b) { return reinterpret_cast<IDirectSoundBuffer*>(b); }

DWORD status_of(SoundBuffer* b) {
    DWORD status = 0;
    EXPECT_EQ(IDirectSoundBuffer_GetStatus(dsound_buffer(b), &status), DS_OK);
    return status;
}

class GsoundDirectSound : public ::testing::Test {
protected:
    SoundDescriptor click{"CLICK", nullptr};
    SoundDescriptor horn{"HORN", nullptr};
    SoundDescriptor* sounds[3] = {&click, &horn, nullptr};

    void SetUp() override {
        gsound_start(sounds, GetModuleHandleA(nullptr));
        ASSERT_NE(gsound_device(), nullptr) << "DirectSound did not open (no sound device?)";
        ASSERT_NE(click.voice_set, nullptr);
        ASSERT_NE(horn.voice_set, nullptr);
        ASSERT_NE(click.voice_set->voices[0], nullptr);
        ASSERT_NE(horn.voice_set->voices[0], nullptr);
    }
    void TearDown() override {
        gsound_shutdown(sounds);
        EXPECT_EQ(gsound_device(), nullptr);
        EXPECT_EQ(horn.voice_set, nullptr);
    }
};

TEST_F(GsoundDirectSound, LoadsTheRecordingsIntoStaticBuffers) {
    EXPECT_EQ(click.voice_set->wave_size, 1322u);
    EXPECT_EQ(horn.voice_set->wave_size, 60892u);
    DSBCAPS caps{};
    caps.dwSize = sizeof caps;
    ASSERT_EQ(IDirectSoundBuffer_GetCaps(dsound_buffer(horn.voice_set->voices[0]), &caps), DS_OK);
    EXPECT_EQ(caps.dwBufferBytes, 60892u);
    EXPECT_TRUE(caps.dwFlags & DSBCAPS_STATIC);
    EXPECT_TRUE(caps.dwFlags & DSBCAPS_CTRL3D);
    WAVEFORMATEX format{};
    ASSERT_EQ(IDirectSoundBuffer_GetFormat(dsound_buffer(click.voice_set->voices[0]), &format,
                                           sizeof format, nullptr),
              DS_OK);
    EXPECT_EQ(format.wBitsPerSample, 8);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    // The buffer holds the recording's samples.
    void* region1 = nullptr;
    void* region2 = nullptr;
    DWORD length1 = 0, length2 = 0;
    ASSERT_EQ(IDirectSoundBuffer_Lock(dsound_buffer(click.voice_set->voices[0]), 0, 1322, &region1,
                                      &length1, &region2, &length2, 0),
              DS_OK);
    EXPECT_EQ(length1 + length2, 1322u);
    EXPECT_EQ(std::memcmp(region1, click.voice_set->wave_data, length1), 0);
    IDirectSoundBuffer_Unlock(dsound_buffer(click.voice_set->voices[0]), region1, length1, region2,
                              length2);
}

TEST_F(GsoundDirectSound, LoopsUntilStoppedAndIsNotInterrupted) {
    SoundBuffer* voice = horn.voice_set->voices[0];
    EXPECT_EQ(status_of(voice) & DSBSTATUS_PLAYING, 0u);
    ASSERT_EQ(gsound_play(&horn, kGsoundPlayLooping), 1);
    EXPECT_EQ(status_of(voice) & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING),
              DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    EXPECT_EQ(gsound_play(&horn, kGsoundPlayOnce), 0);  // busy: not restarted
    Sleep(100);
    EXPECT_TRUE(status_of(voice) & DSBSTATUS_PLAYING);
    EXPECT_EQ(gsound_stop(&horn), 1);
    EXPECT_EQ(status_of(voice) & DSBSTATUS_PLAYING, 0u);
    DWORD play = 1, write = 1;
    ASSERT_EQ(IDirectSoundBuffer_GetCurrentPosition(dsound_buffer(voice), &play, &write), DS_OK);
    EXPECT_EQ(play, 0u);  // rewound
}

TEST_F(GsoundDirectSound, OnceOnlyClickPlaysOutByItself) {
    SoundBuffer* voice = click.voice_set->voices[0];
    ASSERT_EQ(gsound_play(&click, kGsoundPlayOnce), 1);
    EXPECT_EQ(status_of(voice) & DSBSTATUS_LOOPING, 0u);
    // 60 ms of sound: give the device a generous while to play it.
    DWORD status = DSBSTATUS_PLAYING;
    for (int i = 0; i < 100 && (status & DSBSTATUS_PLAYING); ++i) {
        Sleep(20);
        status = status_of(voice);
    }
    EXPECT_EQ(status & DSBSTATUS_PLAYING, 0u);
    EXPECT_EQ(gsound_play(&click, kGsoundPlayOnce), 1);  // and it plays again
}

TEST_F(GsoundDirectSound, SettersReachTheBufferClamped) {
    IDirectSoundBuffer* voice = dsound_buffer(horn.voice_set->voices[0]);
    gsound_set_volume(&horn, -20000);
    gsound_set_pan(&horn, 20000);
    gsound_set_frequency(&horn, 0xFFFFFFFFu);  // "negative": a large unsigned value
    LONG volume = 0, pan = 0;
    DWORD frequency = 0;
    IDirectSoundBuffer_GetVolume(voice, &volume);
    IDirectSoundBuffer_GetPan(voice, &pan);
    IDirectSoundBuffer_GetFrequency(voice, &frequency);
    EXPECT_EQ(volume, -10000);
    EXPECT_EQ(pan, 10000);
    EXPECT_EQ(frequency, 100000u);
    gsound_set_frequency(&horn, 50);
    IDirectSoundBuffer_GetFrequency(voice, &frequency);
    EXPECT_EQ(frequency, 100u);
}

TEST_F(GsoundDirectSound, SeveralVoicesTakeTurns) {
    VoiceSet* set = voice_set_create(gsound_device(), "CLICK", 3);
    ASSERT_NE(set, nullptr);
    for (int i = 0; i < 3; ++i) ASSERT_NE(set->voices[i], nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(voice_set_play(set, kGsoundPlayOnce), 1);
    EXPECT_EQ(set->next_voice, 2);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(status_of(set->voices[i]) & DSBSTATUS_PLAYING);
    EXPECT_EQ(voice_set_play(set, kGsoundPlayLooping), 0);  // looping is for one voice only
    EXPECT_EQ(voice_set_stop(set), 1);
    voice_set_destroy(set);
}

TEST(GsoundDirectSoundStartup, MissingSoundsStayUnloaded) {
    SoundDescriptor ghost{"NO SUCH SOUND", nullptr};
    SoundDescriptor* list[] = {&ghost, nullptr};
    gsound_start(list, GetModuleHandleA(nullptr));
    EXPECT_EQ(ghost.voice_set, nullptr);
    EXPECT_EQ(gsound_play(&ghost, 0), 0);
    EXPECT_EQ(gsound_stop(&ghost), 0);
    gsound_shutdown(list);
}

}  // namespace
