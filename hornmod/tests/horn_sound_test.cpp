// The horn module through the host with its real sound: the frame clock's share of samples, a
// mix that does not depend on the frame size, the recording, and buffers lost and brought back.
#include "framework/element_helpers.h"
#include "hornmod/gsound/wave_parse.h"
#include "host/panel_host.h"
#include "host/script.h"
#include "host/sound_layer.h"
#include "platform/softsound/softsound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kModule = std::string(MODULE_DIR) + "/hornmod.so";

TEST(FrameClock, SharesOutTheSamplesExactly) {
    struct Case {
        int fps;
        uint32_t rate;
    };
    for (Case c : {Case{18, 44100}, Case{25, 44100}, Case{7, 44100}, Case{13, 44100},
                   Case{999, 44100}, Case{1000, 22050}, Case{1, 8000}}) {
        SCOPED_TRACE(c.fps);
        int64_t total = 0;
        uint32_t least = UINT32_MAX, most = 0;
        for (int64_t frame = 0; frame < 3 * c.fps; ++frame) {
            uint32_t n = samples_for_frame(frame, c.fps, c.rate);
            least = std::min(least, n);
            most = std::max(most, n);
            total += n;
            EXPECT_EQ(total, (frame + 1) * int64_t(c.rate) / c.fps);
        }
        EXPECT_EQ(total, 3 * int64_t(c.rate));  // three seconds of frames make three seconds
        EXPECT_LE(most - least, 1u);            // and no frame gets more than one extra
    }
    EXPECT_EQ(samples_for_frame(0, 18, 44100), 2450u);
}

// The horn gauge loaded and installed, with the sound layer listening.
class HornWithSound : public ::testing::Test {
protected:
    PanelHost host;
    std::ostringstream out;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.load(kModule, &error)) << error;
        ASSERT_TRUE(host.install(&error)) << error;
    }

    void run(ScriptRunner& runner, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            std::string error;
            ASSERT_TRUE(runner.run_line(line, &error)) << line << ": " << error;
        }
    }

    // Mixes `seconds` of the looping warning horn at `fps`, from its first update on.
    std::vector<int16_t> warning_at(int fps, int seconds) {
        SoundLayer sound(host);
        sound.record_to("never-written.wav");
        ScriptRunner runner(host, out, fps);
        run(runner, {"set 0x14c 1", "update " + std::to_string(fps * seconds), "set 0x14c 0",
                     "update"});
        std::vector<int16_t> played = sound.recording();
        played.resize(size_t(seconds) * softsound_output_rate() * 2);
        return played;
    }

    std::string sound_line(ScriptRunner& runner) {
        out.str("");
        run(runner, {"sound"});
        return out.str();
    }
};

TEST_F(HornWithSound, MixIsTheSameWhateverTheFrameRate) {
    const std::vector<int16_t> at18 = warning_at(18, 2);
    ASSERT_EQ(at18.size(), 2u * 44100 * 2);
    EXPECT_EQ(warning_at(36, 2), at18);
    EXPECT_EQ(warning_at(7, 2), at18);
    EXPECT_EQ(warning_at(50, 2), at18);
    // Two seconds of a looping horn are loud all through: past the 1.38 s of one pass too.
    for (size_t second_half = at18.size() * 3 / 4; second_half < at18.size(); second_half += 4410)
        EXPECT_NE(at18[second_half] | at18[second_half + 1] | at18[second_half + 2], 0);
}

TEST_F(HornWithSound, TestHornPlaysOnceThenSilence) {
    SoundLayer sound(host);
    sound.record_to("never-written.wav");
    ScriptRunner runner(host, out, 18);
    run(runner, {"set 0x1 0", "update", "click 10 20", "update 36"});
    const std::vector<int16_t>& played = sound.recording();
    ASSERT_EQ(played.size(), 37u * 2450 * 2);
    // One frame of silence before the click, then 1.38 s of horn (at twice its own rate in the
    // output), then nothing.
    const size_t horn_start = 2450 * 2;
    const size_t horn_end = horn_start + 30446 * 2 * 2;
    auto loud = [&](size_t from, size_t to) {
        int peak = 0;
        for (size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(int(played[i])));
        return peak;
    };
    EXPECT_EQ(loud(0, horn_start), 0);
    EXPECT_GT(loud(horn_start, horn_start + 4410), 20000);
    EXPECT_GT(loud(horn_end - 4410, horn_end - 600), 20000);
    EXPECT_EQ(loud(horn_end, played.size()), 0);
    run(runner, {"set 0x1 36", "update"});  // the lever back in the centre for what follows
}

TEST_F(HornWithSound, ScriptRecordsIntoAWaveFileFromItsCommandOn) {
    SoundLayer sound(host);
    ScriptRunner runner(host, out, 18);
    const std::string path = std::string(SCRATCH_DIR) + "/horn_recording.wav";
    run(runner, {"set 0x14c 1", "update", "sound wav " + path, "update 9"});
    EXPECT_EQ(out.str(), "");  // the command prints nothing
    std::string error;
    ASSERT_TRUE(sound.finish(&error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const SoundWaveFormat* format = nullptr;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    ASSERT_EQ(wave_parse(file.data(), uint32_t(file.size()), &format, &data, &size), 1);
    EXPECT_EQ(format->channels, 2);
    EXPECT_EQ(format->samples_per_second, 44100u);
    EXPECT_EQ(format->bits_per_sample, 16);
    EXPECT_EQ(size, 9u * 2450 * 4);  // the nine frames after the command, stereo, 16-bit
    ASSERT_EQ(sound.recording().size() * 2, size_t(size));
    EXPECT_EQ(std::memcmp(data, sound.recording().data(), size), 0);
    std::remove(path.c_str());

    for (const char* bad : {"sound wav", "sound wav a b", "sound loud"}) {
        EXPECT_FALSE(runner.run_line(bad, &error)) << bad;
        EXPECT_EQ(error, "usage: sound, or sound wav FILE");
    }
    sound.record_to(std::string(SCRATCH_DIR) + "/no/such/dir/x.wav");
    EXPECT_FALSE(sound.finish(&error));
    EXPECT_NE(error.find("no/such/dir/x.wav"), std::string::npos) << error;
}

TEST_F(HornWithSound, ReportNamesEachBufferBySoundAndFollowsLostBuffers) {
    SoundLayer sound(host);
    ScriptRunner runner(host, out, 18);
    EXPECT_EQ(sound_line(runner),
              "{\"voices\":[{\"sound\":\"CLICK\",\"playing\":false,\"looping\":false,\"starts\":0,"
              "\"stops\":0,\"position\":0},{\"sound\":\"HORN\",\"playing\":false,\"looping\":"
              "false,\"starts\":0,\"stops\":0,\"position\":0}]}\n");
    // The device loses the buffers' memory: they hold no recording any more.
    softsound_lose_all();
    std::string lost = sound_line(runner);
    EXPECT_EQ(lost.find("CLICK"), std::string::npos) << lost;
    EXPECT_NE(lost.find("\"sound\":\"unknown\""), std::string::npos) << lost;
    // The warning's play restores and refills the horn's buffer before it starts it.
    run(runner, {"set 0x14c 1", "update"});
    std::string back = sound_line(runner);
    EXPECT_NE(back.find("{\"sound\":\"HORN\",\"playing\":true,\"looping\":true,\"starts\":1"),
              std::string::npos)
        << back;
}

TEST_F(HornWithSound, NoDeviceMeansSilenceAndAnEmptyReport) {
    std::string error;
    ASSERT_TRUE(host.kill(&error)) << error;
    softsound_set_unavailable(true);
    ASSERT_TRUE(host.install(&error)) << error;
    softsound_set_unavailable(false);
    SoundLayer sound(host);
    sound.record_to("never-written.wav");
    ScriptRunner runner(host, out, 18);
    run(runner, {"set 0x14c 1", "update 3", "click 10 20", "update"});
    EXPECT_EQ(sound_line(runner), "{\"voices\":[]}\n");
    for (int16_t s : sound.recording()) ASSERT_EQ(s, 0);
    // The lever works all the same.
    EXPECT_TRUE(is_hidden(*host.root()->children[0]->children[0]));
}

}  // namespace
