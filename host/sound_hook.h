// Where the host's sound layer plugs into the frame clock and the script: one frame of samples
// mixed on every update, and the answer to the `sound` command. Without a sound layer nothing
// is mixed and `sound` prints {"voices":[]}.
#pragma once

#include <functional>
#include <string>

struct SoundHooks {
    // Called once per update with the frame's index (0 for the first) and the frame rate.
    std::function<void(long frame, int fps)> mix_frame;
    // The `sound` command: `args` is the rest of the line (may be empty); on success *line is the
    // one line to print (nothing is printed when it is left empty); false with *error set for
    // arguments it does not take.
    std::function<bool(const std::string& args, std::string* line, std::string* error)> command;
};

// The hooks of this process, filled in by the sound layer.
SoundHooks& sound_hooks();
