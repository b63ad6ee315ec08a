// Win32 form of the sound layer: the module's sound goes to DirectSound, which the host does not
// hear, so there is nothing to mix, report or record.
#include "host/sound_layer.h"

bool SoundLayer::available() { return false; }

void SoundLayer::mix_frame(int64_t, int) {}

std::string SoundLayer::report() const { return "{\"voices\":[]}"; }

bool SoundLayer::finish(std::string* error) const {
    if (!recording_on_) return true;
    *error = "this host does not hear the module's sound: no recording to write";
    return false;
}
