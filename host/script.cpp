#include "host/script.h"

#include "host/json_format.h"
#include "host/number_parse.h"
#include "host/state_json.h"

#include <vector>

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the first word; `rest` keeps what follows, leading blanks removed.
std::string_view next_word(std::string_view* rest) {
    std::string_view s = trim(*rest);
    size_t end = 0;
    while (end < s.size() && !is_space(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    *rest = trim(s.substr(end));
    return word;
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    while (!(s = trim(s)).empty()) out.push_back(next_word(&s));
    return out;
}

bool bad_number(std::string_view what, std::string_view word, std::string* error) {
    *error = "bad " + std::string(what) + " '" + std::string(word) + "'";
    return false;
}

}  // namespace

bool utf8_to_cp1252(std::string_view utf8, std::string* out, std::string* error) {
    out->clear();
    for (size_t i = 0; i < utf8.size();) {
        uint8_t lead = uint8_t(utf8[i]);
        uint32_t cp;
        size_t n;
        if (lead < 0x80) {
            cp = lead;
            n = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            n = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            n = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            n = 4;
        } else {
            *error = "text is not valid UTF-8";
            return false;
        }
        if (i + n > utf8.size()) {
            *error = "text is not valid UTF-8";
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            uint8_t c = uint8_t(utf8[i + k]);
            if ((c & 0xC0) != 0x80) {
                *error = "text is not valid UTF-8";
                return false;
            }
            cp = cp << 6 | (c & 0x3F);
        }
        uint8_t byte;
        if (!unicode_to_cp1252(cp, &byte)) {
            *error = "text has a character (U+" + hex_id(cp).substr(2) +
                     ") that the Windows Western code page lacks";
            return false;
        }
        out->push_back(char(byte));
        i += n;
    }
    return true;
}

ScriptRunner::ScriptRunner(PanelHost& host, std::ostream& out, int fps)
    : host_(host), out_(out), fps_(fps) {}

bool ScriptRunner::require_installed(std::string_view cmd, std::string* error) {
    if (host_.installed()) return true;
    *error = "'" + std::string(cmd) + "' needs the gauge installed (it was killed)";
    return false;
}

bool ScriptRunner::run_line(std::string_view line, std::string* error) {
    std::string_view rest = line;
    std::string_view cmd = next_word(&rest);
    if (cmd.empty() || cmd[0] == '#') return true;
    bool ok = command(cmd, rest, error);
    std::vector<std::string> problems = host_.take_errors();
    if (ok && !problems.empty()) {
        std::string joined;
        for (const std::string& p : problems) joined += (joined.empty() ? "" : "\n") + p;
        *error = joined;
        return false;
    }
    return ok;
}

bool ScriptRunner::command(std::string_view cmd, std::string_view rest, std::string* error) {
    auto expect_args = [&](size_t lo, size_t hi, std::vector<std::string_view>* args) {
        *args = words(rest);
        if (args->size() >= lo && args->size() <= hi) return true;
        static const char* const kUsage[][2] = {
            {"set", "set TOKEN VALUE"}, {"seti", "seti TOKEN INT"}, {"update", "update [N]"},
            {"click", "click X Y"},     {"png", "png FILE"},
        };
        *error = "'" + std::string(cmd) + "' takes ";
        for (const auto& u : kUsage)
            if (cmd == u[0]) {
                *error = "usage: " + std::string(u[1]);
                return false;
            }
        *error += "no arguments";
        return false;
    };
    std::vector<std::string_view> args;
    uint32_t token = 0;

    if (cmd == "set" || cmd == "seti") {
        if (!expect_args(2, 2, &args)) return false;
        if (!parse_token(args[0], &token)) return bad_number("token", args[0], error);
        const TokenKind wanted = cmd == "set" ? TokenKind::Number : TokenKind::Integer;
        if (token_kind(token) != wanted && token_kind(token) != TokenKind::Number) {
            *error = "token " + std::string(args[0]) + " holds " + token_kind_name(token_kind(token));
            return false;
        }
        if (cmd == "set") {
            double value;
            if (!parse_double(args[1], &value)) return bad_number("number", args[1], error);
            host_.tokens().set_number(token, value);
        } else {
            uint32_t value;
            if (!parse_int32_value(args[1], &value)) return bad_number("32-bit integer", args[1], error);
            host_.tokens().set_integer(token, value);
        }
        return true;
    }
    if (cmd == "sets") {
        std::string_view token_word = next_word(&rest);
        if (token_word.empty()) {
            *error = "usage: sets TOKEN TEXT";
            return false;
        }
        if (!parse_token(token_word, &token)) return bad_number("token", token_word, error);
        if (token_kind(token) == TokenKind::Integer) {
            *error = "token " + std::string(token_word) + " holds " + token_kind_name(TokenKind::Integer);
            return false;
        }
        std::string text;
        if (!utf8_to_cp1252(rest, &text, error)) return false;
        return host_.tokens().set_text(token, text, error);
    }
    if (cmd == "update") {
        if (!expect_args(0, 1, &args)) return false;
        int64_t count = 1;
        if (!args.empty() && !parse_integer(args[0], 0, 100000000, &count))
            return bad_number("frame count", args[0], error);
        if (!require_installed(cmd, error)) return false;
        for (int64_t i = 0; i < count; ++i) {
            host_.update();
            if (sound_hooks().mix_frame) sound_hooks().mix_frame(frames_, fps_);
            ++frames_;
            if (host_.has_errors()) break;  // reported by run_line
        }
        return true;
    }
    if (cmd == "draw") {
        if (!expect_args(0, 0, &args) || !require_installed(cmd, error)) return false;
        host_.draw();
        return true;
    }
    if (cmd == "click") {
        if (!expect_args(2, 2, &args)) return false;
        int64_t x, y;
        if (!parse_integer(args[0], INT32_MIN, INT32_MAX, &x)) return bad_number("x", args[0], error);
        if (!parse_integer(args[1], INT32_MIN, INT32_MAX, &y)) return bad_number("y", args[1], error);
        host_.click(int(x), int(y));  // a click outside every registered box does nothing
        return true;
    }
    if (cmd == "install") {
        if (!expect_args(0, 0, &args)) return false;
        return host_.install(error);
    }
    if (cmd == "kill") {
        if (!expect_args(0, 0, &args)) return false;
        return host_.kill(error);
    }
    if (cmd == "dump" || cmd == "windows" || cmd == "named") {
        if (!expect_args(0, 0, &args)) return false;
        out_ << (cmd == "dump" ? dump_json(host_) : cmd == "windows" ? windows_json(host_)
                                                                     : named_json(host_))
             << "\n";
        return true;
    }
    if (cmd == "sound") {
        std::string line = "{\"voices\":[]}";
        if (sound_hooks().command) {
            if (!sound_hooks().command(std::string(rest), &line, error)) return false;
        } else if (!expect_args(0, 0, &args)) {
            return false;
        }
        if (!line.empty()) out_ << line << "\n";
        return true;
    }
    if (cmd == "png") {
        std::string_view file = trim(rest);
        if (file.empty()) {
            *error = "usage: png FILE";
            return false;
        }
        const Frame* frame = host_.frame();
        if (frame == nullptr) {
            *error = "nothing drawn yet: 'draw' before 'png'";
            return false;
        }
        return write_png(std::string(file), frame->image, error);
    }
    *error = "unknown command '" + std::string(cmd) + "'";
    return false;
}

bool ScriptRunner::run(std::istream& in, const std::string& name, std::ostream& err) {
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        std::string error;
        if (!run_line(line, &error)) {
            out_.flush();
            err << name << ":" << number << ": " << error << "\n";
            return false;
        }
    }
    if (in.bad()) {
        err << name << ": read error\n";
        return false;
    }
    return true;
}
