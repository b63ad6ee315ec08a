// The host's sound: it mixes the module's sounds on the host's frame clock, answers the script's
// `sound` command and keeps what it played for a WAV file.
//
// Native form: the module's sound library plays through the software device (softsound), which
// this process shares with the module. Every `update` mixes one frame's worth of the device's
// output, sample rate / frame rate samples, the fractions carried on so that N frames always
// make floor(N x rate / fps) samples; the mix depends only on the frames, never on the clock of
// the machine. `sound` prints one line of JSON, the device's buffers in the order they were made:
//   {"voices":[{"sound":"HORN","playing":true,"looping":true,"starts":1,"stops":0,
//               "position":1234}]}
// `sound` names the raw-data resource of the module whose samples the buffer holds ("unknown"
// for one that matches none, such as a lost buffer); `position` is the play position in sample
// frames; `starts` and `stops` count the plays that set a stopped buffer going and the stops
// that silenced a playing one. `sound wav FILE` records what is played from then on into FILE,
// written when the run ends (the same as the tool's --wav FILE).
//
// Win32 form: the sound goes to DirectSound inside the module, out of the host's sight; `sound`
// prints {"voices":[]} and there is nothing to record (`sound wav` is an error).
#pragma once

#include "host/panel_host.h"

#include <cstdint>
#include <string>
#include <vector>

// Samples that frame `frame` (0 for the first) gets at `fps` frames a second: the frames share
// out `rate` samples a second exactly.
uint32_t samples_for_frame(int64_t frame, int fps, uint32_t rate);

class SoundLayer {
public:
    // Hooks itself into the script's frame clock and `sound` command; unhooks when destroyed.
    explicit SoundLayer(PanelHost& host);
    ~SoundLayer();
    SoundLayer(const SoundLayer&) = delete;
    SoundLayer& operator=(const SoundLayer&) = delete;

    // Whether this form of the host hears the module's sound at all.
    static bool available();

    // Keeps every sample mixed from now on (interleaved left, right), for `path`. A second call
    // only changes the file.
    void record_to(const std::string& path);
    const std::vector<int16_t>& recording() const { return recording_; }
    // Writes the recording, when one was asked for, as a WAV file (stereo, 16-bit, the device's
    // rate); false with *error set when it cannot be written.
    bool finish(std::string* error) const;

    // Mixes the samples of frame `frame` at `fps` (what each `update` does).
    void mix_frame(int64_t frame, int fps);
    // The `sound` line.
    std::string report() const;

private:
    PanelHost& host_;
    bool recording_on_ = false;
    std::string recording_path_;
    std::vector<int16_t> recording_;
};
