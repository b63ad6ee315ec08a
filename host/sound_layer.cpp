// The parts of the sound layer that both forms share: the frame clock's share of samples and
// the hooks into the script.
#include "host/sound_layer.h"

#include "host/sound_hook.h"

#include <sstream>


uint32_t samples_for_frame(int64_t frame, int fps, uint32_t rate) {
    if (frame < 0 || fps <= 0) return 0;
    // Frame k ends at floor((k + 1) x rate / fps) samples: whole samples, fractions carried.
    auto end_of = [&](int64_t k) { return k * int64_t(rate) / fps; };
    return uint32_t(end_of(frame + 1) - end_of(frame));
}

SoundLayer::SoundLayer(PanelHost& host) : host_(host) {
    SoundHooks& hooks = sound_hooks();
    hooks.mix_frame = [this](long frame, int fps) { mix_frame(frame, fps); };
    hooks.command = [this](const std::string& args, std::string* line, std::string* error) {
        std::istringstream words(args);
        std::string verb, file, extra;
        words >> verb >> file >> extra;
        if (verb.empty()) {
            *line = report();
            return true;
        }
        if (verb != "wav" || file.empty() || !extra.empty()) {
            *error = "usage: sound, or sound wav FILE";
            return false;
        }
        if (!available()) {
            *error = "sound wav: this host does not hear the module's sound";
            return false;
        }
        record_to(file);
        line->clear();
        return true;
    };
}

SoundLayer::~SoundLayer() {
    sound_hooks().mix_frame = nullptr;
    sound_hooks().command = nullptr;
}

void SoundLayer::record_to(const std::string& path) {
    recording_on_ = true;
    recording_path_ = path;
}
