// Native form of the sound layer: the software sound device that the module plays through.
#include "host/json_format.h"
#include "host/sound_layer.h"
#include "platform/softsound/softsound.h"
#include "tools/art/wav_writer.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

namespace {

// The module's raw-data resources, by name.
std::vector<std::pair<std::string, std::vector<uint8_t>>> raw_resources(const ModuleFile* module) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> list;
    if (module == nullptr) return list;
    for (const ModuleResourceInfo& r : module->resources()) {
        std::vector<uint8_t> bytes;
        if (r.type == 10 && !r.name.empty() && module->find_raw(r.name, &bytes))
            list.emplace_back(r.name, std::move(bytes));
    }
    return list;
}

// The resource whose bytes hold the buffer's samples: the sound it was loaded from.
std::string sound_of(const SoftsoundBufferInfo& buffer,
                     const std::vector<std::pair<std::string, std::vector<uint8_t>>>& resources) {
    if (buffer.bytes == 0) return "unknown";
    const uint8_t* begin = buffer.samples;
    const uint8_t* end = buffer.samples + buffer.bytes;
    std::boyer_moore_horspool_searcher searcher(begin, end);
    for (const auto& [name, bytes] : resources)
        if (std::search(bytes.begin(), bytes.end(), searcher) != bytes.end()) return name;
    return "unknown";
}

}  // namespace

bool SoundLayer::available() { return true; }

void SoundLayer::mix_frame(int64_t frame, int fps) {
    const size_t count = samples_for_frame(frame, fps, softsound_output_rate());
    std::vector<int16_t> samples(count * kSoftsoundChannels);
    softsound_mix(samples.data(), count);
    if (recording_on_) recording_.insert(recording_.end(), samples.begin(), samples.end());
}

std::string SoundLayer::report() const {
    const auto resources = raw_resources(host_.module());
    std::string line = "{\"voices\":[";
    for (size_t i = 0; i < softsound_buffer_count(); ++i) {
        SoftsoundBufferInfo b{};
        if (!softsound_buffer_info(i, &b)) continue;
        const uint32_t frame_bytes = uint32_t(b.channels) * (b.bits_per_sample / 8);
        if (i > 0) line += ",";
        line += "{\"sound\":" + json_text(sound_of(b, resources)) +
                ",\"playing\":" + (b.playing ? "true" : "false") +
                ",\"looping\":" + (b.looping ? "true" : "false") +
                ",\"starts\":" + std::to_string(b.starts) + ",\"stops\":" + std::to_string(b.stops) +
                ",\"position\":" + std::to_string(frame_bytes ? b.position / frame_bytes : 0) + "}";
    }
    return line + "]}";
}

bool SoundLayer::finish(std::string* error) const {
    if (!recording_on_) return true;
    art::WavFormat format;
    format.channels = kSoftsoundChannels;
    format.sample_rate = softsound_output_rate();
    format.bits = 16;
    try {
        art::write_wav(recording_path_, recording_, format);
    } catch (const std::exception& e) {
        *error = e.what();
        return false;
    }
    return true;
}
