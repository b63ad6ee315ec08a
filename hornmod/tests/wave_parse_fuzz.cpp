// libFuzzer target: the WAVE walk over any bytes must stay inside them, and whatever it hands
// back must lie inside them too. Built with clang's -fsanitize=fuzzer,address,undefined.
#include "hornmod/gsound/wave_parse.h"

#include <cstddef>
#include <cstdint>

namespace {

bool inside(const uint8_t* begin, size_t size, const void* p, size_t length) {
    auto* q = static_cast<const uint8_t*>(p);
    return q >= begin && q <= begin + size && length <= size_t(begin + size - q);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const uint32_t image_size = size > UINT32_MAX ? UINT32_MAX : uint32_t(size);
    // Every combination of wanted outputs walks differently.
    for (int wanted = 0; wanted < 8; ++wanted) {
        const SoundWaveFormat* format = nullptr;
        const uint8_t* data = nullptr;
        uint32_t data_size = 0;
        int found = wave_parse(bytes, image_size, (wanted & 1) ? &format : nullptr,
                               (wanted & 2) ? &data : nullptr, (wanted & 4) ? &data_size : nullptr);
        if (format != nullptr && !inside(bytes, size, format, kSoundWaveFormatMinSize))
            __builtin_trap();
        if (data != nullptr && !inside(bytes, size, data, data_size)) __builtin_trap();
        if (found && (wanted & 1) && format == nullptr) __builtin_trap();
        if (found && (wanted & 2) && data == nullptr) __builtin_trap();
    }
    return 0;
}
