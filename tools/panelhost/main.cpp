// panelhost: loads a gauge module and plays the panel system's part for it.
//
//   panelhost inspect MODULE [--json]
//   panelhost script MODULE [FILE] [--fps N] [--wav FILE.wav]
//   panelhost render MODULE -o FILE.png [--set TOKEN=VALUE ...] [--seti TOKEN=INT ...]
//                    [--sets TOKEN=TEXT ...] [--click X,Y ...] [--updates N] [--fps N]
//                    [--wav FILE.wav]
//
// --wav writes what the gauge played during the run (natively; the Win32 host does not hear it).
//
// Exit status: 0 success, 1 a problem with the module, the script or a file, 2 bad usage.
#include "host/module_records.h"
#include "host/number_parse.h"
#include "host/panel_host.h"
#include "host/script.h"
#include "host/sound_layer.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: panelhost inspect MODULE [--json]\n"
    "       panelhost script MODULE [FILE] [--fps N] [--wav FILE.wav]\n"
    "       panelhost render MODULE -o FILE.png [--set TOKEN=VALUE ...] [--seti TOKEN=INT ...]\n"
    "                        [--sets TOKEN=TEXT ...] [--click X,Y ...] [--updates N] [--fps N]\n"
    "                        [--wav FILE.wav]\n";

int usage(const std::string& problem) {
    std::cerr << "panelhost: " << problem << "\n" << kUsage;
    return 2;
}

bool report_errors(PanelHost& host) {
    std::vector<std::string> errors = host.take_errors();
    for (const std::string& e : errors) std::cerr << e << "\n";
    return errors.empty();
}

// Loads the module and installs its gauge; false (reported) when either goes wrong.
bool start(PanelHost& host, const std::string& module) {
    std::string error;
    if (!host.load(module, &error)) {
        std::cerr << error << "\n";
        return false;
    }
    if (!host.install(&error)) {
        std::cerr << host.module_name() << ": " << error << "\n";
        return false;
    }
    return report_errors(host);
}

// Kills the gauge and unloads the module; false when the host reported problems on the way.
bool finish(PanelHost& host) {
    host.unload();
    return report_errors(host);
}

bool parse_fps(const std::string& word, int* fps) {
    int64_t v;
    if (!parse_integer(word, 1, 1000, &v)) return false;
    *fps = int(v);
    return true;
}

// Writes the run's sound when a recording was asked for; false (reported) when it cannot.
bool finish_recording(const SoundLayer& sound) {
    std::string error;
    if (sound.finish(&error)) return true;
    std::cerr << "panelhost: recording: " << error << "\n";
    return false;
}

int run_script(const std::vector<std::string>& args) {
    std::string module, file, wav;
    int fps = kDefaultFramesPerSecond;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--fps") {
            if (i + 1 >= args.size() || !parse_fps(args[i + 1], &fps))
                return usage("--fps takes a frame rate from 1 to 1000");
            ++i;
        } else if (args[i] == "--wav") {
            if (i + 1 >= args.size()) return usage("--wav needs a file name");
            wav = args[++i];
        } else if (module.empty()) {
            module = args[i];
        } else if (file.empty()) {
            file = args[i];
        } else {
            return usage("unexpected argument '" + args[i] + "'");
        }
    }
    if (module.empty()) return usage("script needs a MODULE");
    if (!wav.empty() && !SoundLayer::available())
        return usage("--wav: this host does not hear the module's sound");
    std::ifstream in;
    if (!file.empty()) {
        in.open(file, std::ios::binary);
        if (!in) {
            std::cerr << "panelhost: cannot open script " << file << "\n";
            return 1;
        }
    }
    PanelHost host;
    if (!start(host, module)) return 1;
    SoundLayer sound(host);
    if (!wav.empty()) sound.record_to(wav);
    ScriptRunner runner(host, std::cout, fps);
    bool ok = runner.run(file.empty() ? std::cin : in, file.empty() ? "stdin" : file, std::cerr);
    std::cout.flush();
    ok = finish(host) && ok;
    ok = finish_recording(sound) && ok;
    return ok ? 0 : 1;
}

int run_render(const std::vector<std::string>& args) {
    std::string module, output, wav;
    int fps = kDefaultFramesPerSecond;
    int64_t updates = 1;
    std::vector<std::pair<std::string, std::string>> settings;  // option, script line
    std::vector<std::pair<std::string, std::string>> clicks;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool takes_value = a == "-o" || a == "--set" || a == "--seti" || a == "--sets" ||
                           a == "--click" || a == "--updates" || a == "--fps" || a == "--wav";
        if (!takes_value) {
            if (!module.empty()) return usage("unexpected argument '" + a + "'");
            module = a;
            continue;
        }
        if (i + 1 >= args.size()) return usage(a + " needs a value");
        const std::string& v = args[++i];
        std::string option = a + " " + v;
        if (a == "-o") {
            output = v;
        } else if (a == "--wav") {
            wav = v;
        } else if (a == "--updates") {
            if (!parse_integer(v, 0, 100000, &updates)) return usage(option + ": bad frame count");
        } else if (a == "--fps") {
            if (!parse_fps(v, &fps)) return usage(option + ": bad frame rate");
        } else if (a == "--click") {
            size_t comma = v.find(',');
            if (comma == std::string::npos) return usage(option + ": expected X,Y");
            clicks.push_back({option, "click " + v.substr(0, comma) + " " + v.substr(comma + 1)});
        } else {
            size_t eq = v.find('=');
            if (eq == std::string::npos) return usage(option + ": expected TOKEN=VALUE");
            settings.push_back({option, a.substr(2) + " " + v.substr(0, eq) + " " + v.substr(eq + 1)});
        }
    }
    if (module.empty()) return usage("render needs a MODULE");
    if (output.empty()) return usage("render needs -o FILE.png");
    if (!wav.empty() && !SoundLayer::available())
        return usage("--wav: this host does not hear the module's sound");

    PanelHost host;
    if (!start(host, module)) return 1;
    SoundLayer sound(host);
    if (!wav.empty()) sound.record_to(wav);
    ScriptRunner runner(host, std::cout, fps);
    // Token values first, then the clicks in order, then the frames, then one draw.
    std::vector<std::pair<std::string, std::string>> steps = settings;
    steps.insert(steps.end(), clicks.begin(), clicks.end());
    steps.push_back({"--updates", "update " + std::to_string(updates)});
    steps.push_back({"render", "draw"});
    steps.push_back({"-o " + output, "png " + output});
    bool ok = true;
    for (const auto& [option, line] : steps) {
        std::string error;
        if (!runner.run_line(line, &error)) {
            std::cerr << "panelhost: " << option << ": " << error << "\n";
            ok = false;
            break;
        }
    }
    ok = finish(host) && ok;
    ok = finish_recording(sound) && ok;
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage("no command");
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "script") return run_script(args);
    if (command == "render") return run_render(args);
    if (command == "inspect") {
        std::string module;
        bool json = false;
        for (const std::string& a : args) {
            if (a == "--json")
                json = true;
            else if (module.empty())
                module = a;
            else
                return usage("unexpected argument '" + a + "'");
        }
        if (module.empty()) return usage("inspect needs a MODULE");
        return inspect_module(module, json, std::cout, std::cerr);
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    return usage("unknown command '" + command + "'");
}
