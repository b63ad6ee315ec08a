// The host's line-based script: token values, frames, clicks, installs and kills, and one-line
// JSON reports, run against the loaded gauge.
//
//   set TOKEN VALUE     64-bit float              update [N]   N frames (default 1)
//   seti TOKEN INT      32-bit integer, high 0    draw         the gauge's draw routine
//   sets TOKEN TEXT     text (rest of the line)   click X Y    a click at a root-image pixel
//   install / kill      the gauge's routines      png FILE     the last frame drawn
//   dump / windows / named / sound                one line of JSON each
//   # comment, blank lines
//
// Tokens are decimal or hexadecimal (0x51). Numbers must be whole words ("12abc" is an error).
// TEXT is UTF-8 in the script and given to the gauge in the Windows Western code page.
#pragma once

#include "host/panel_host.h"
#include "host/sound_hook.h"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

constexpr int kDefaultFramesPerSecond = 18;

class ScriptRunner {
public:
    ScriptRunner(PanelHost& host, std::ostream& out, int fps = kDefaultFramesPerSecond);

    // Runs one line. False with *error set (no location) for a bad line, or when the host found
    // problems while serving the gauge (their messages, one a line).
    bool run_line(std::string_view line, std::string* error);

    // Runs every line; stops at the first bad one, writes "NAME:LINE: message" to `err` and
    // returns false.
    bool run(std::istream& in, const std::string& name, std::ostream& err);

    long frames() const { return frames_; }

private:
    bool command(std::string_view cmd, std::string_view rest, std::string* error);
    bool require_installed(std::string_view cmd, std::string* error);

    PanelHost& host_;
    std::ostream& out_;
    int fps_;
    long frames_ = 0;
};

// Script text (UTF-8) as bytes of the Windows Western code page; false with *error set for bad
// UTF-8 or a character the code page does not have.
bool utf8_to_cp1252(std::string_view utf8, std::string* out, std::string* error);
