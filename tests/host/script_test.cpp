// Scripts: what each command prints, and bad lines stopped with their line number.
#include "host/script.h"
#include "host_fixture.h"

#include <sstream>

namespace {

class Scripts : public HostTest {
protected:
    void SetUp() override { start("fixture_tree"); }
    // Runs a script; returns what it printed, and in *error what went to standard error.
    std::string run(const std::string& text, bool* ok = nullptr, std::string* error = nullptr) {
        std::ostringstream out, err;
        std::istringstream in(text);
        ScriptRunner runner(host, out);
        bool result = runner.run(in, "t.script", err);
        if (ok != nullptr) *ok = result;
        if (error != nullptr) *error = err.str();
        return out.str();
    }
};

TEST_F(Scripts, DumpListsEveryElementInDrawingOrder) {
    std::string out = run(
        "# every kind of element\n"
        "\n"
        "set 0x10 2\n"
        "set 0x11 -12.25\n"
        "set 0x12 21\n"
        "set 0x14 0.1\n"
        "set 0x15 nan\n"
        "update\n"
        "dump\n");
    EXPECT_EQ(out,
              "{\"elements\":["
              "{\"i\":1,\"kind\":\"static\",\"id\":4096,\"x\":0,\"y\":0,\"hidden\":false},"
              "{\"i\":2,\"kind\":\"static\",\"id\":4352,\"x\":2,\"y\":2,\"hidden\":true},"
              "{\"i\":3,\"kind\":\"static\",\"id\":4608,\"x\":3,\"y\":3,\"hidden\":false},"
              "{\"i\":4,\"kind\":\"icon\",\"id\":8192,\"x\":8,\"y\":1,\"hidden\":false,\"state\":2},"
              "{\"i\":5,\"kind\":\"static\",\"id\":4864,\"x\":12,\"y\":1,\"hidden\":false},"
              "{\"i\":6,\"kind\":\"icon\",\"id\":8448,\"x\":12,\"y\":5,\"hidden\":true,\"state\":0},"
              "{\"i\":7,\"kind\":\"needle\",\"id\":12288,\"x\":6,\"y\":8,\"hidden\":false,\"angle\":-12.25},"
              "{\"i\":8,\"kind\":\"sprite\",\"id\":20736,\"x\":20,\"y\":0,\"hidden\":false,"
              "\"channels\":[0.1,0,\"nan\"]},"
              "{\"i\":9,\"kind\":\"string\",\"x\":0,\"y\":12,\"hidden\":false,\"text\":\"21\xC2\xB0\","
              "\"fg\":\"0x00FF00\",\"key\":21}"
              "]}\n");
}

TEST_F(Scripts, WindowsNamedAndSoundReports) {
    std::string out = run(
        "windows\n"
        "click 1 1\n"
        "click 31 -9\n"
        "click 31 -9\n"
        "windows\n"
        "set 0x20 -7.9\n"
        "named\n"
        "update 3\n"
        "named\n"
        "sound\n");
    EXPECT_EQ(out,
              "{\"windows\":[]}\n"
              "{\"windows\":[{\"id\":1,\"shown\":true},{\"id\":2,\"shown\":false}]}\n"
              "{\"named\":[{\"name\":\"fixture_word\",\"type\":19,\"value\":0}]}\n"
              "{\"named\":[{\"name\":\"fixture_word\",\"type\":19,\"value\":-7}]}\n"
              "{\"voices\":[]}\n");
}

TEST_F(Scripts, KillAndInstallFollowTheGaugesLifecycle) {
    bool ok;
    std::string out = run("kill\nnamed\nclick 1 1\nwindows\ninstall\nnamed\n", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(out,
              "{\"named\":[]}\n"
              "{\"windows\":[]}\n"
              "{\"named\":[{\"name\":\"fixture_word\",\"type\":19,\"value\":0}]}\n");
}

TEST_F(Scripts, SetsGivesEachTextTokenItsOwnFixedSlot) {
    std::string out = run(
        "sets 0x17 AB\n"
        "sets 0x30 second\n"
        "sets 0x17 KXYZ \xC2\xB0\n"  // the same token keeps its slot; UTF-8 in the script
        "update\n"
        "dump\n");
    EXPECT_NE(out.find("\"text\":\"KXYZ \xC2\xB0\""), std::string::npos) << out;
    TokenStore::Value first = host.tokens().read(0x17), second = host.tokens().read(0x30);
    EXPECT_EQ(first, (TokenStore::Value{0x00, 0x00, 0x00, 0x10, 0, 0, 0, 0}));
    EXPECT_EQ(second, (TokenStore::Value{0x00, 0x01, 0x00, 0x10, 0, 0, 0, 0}));
}

TEST_F(Scripts, BadLinesStopTheScriptWithTheirLineNumber) {
    struct Case {
        const char* script;
        const char* message;
    };
    const std::string long_text(256, 'x');
    const std::string too_long = "sets 0x17 " + long_text + "\n";
    const Case cases[] = {
        {"update\n\nupdte\ndump\n", "t.script:3: unknown command 'updte'\n"},
        {"set 0x51 12abc\n", "t.script:1: bad number '12abc'\n"},
        {"set 0x5z 1\n", "t.script:1: bad token '0x5z'\n"},
        {"set 0x51\n", "t.script:1: usage: set TOKEN VALUE\n"},
        {"seti 0x2b 1.5\n", "t.script:1: bad 32-bit integer '1.5'\n"},
        {"seti 0x2b 4294967296\n", "t.script:1: bad 32-bit integer '4294967296'\n"},
        {"# ok\nclick 1\n", "t.script:2: usage: click X Y\n"},
        {"update -1\n", "t.script:1: bad frame count '-1'\n"},
        {"dump now\n", "t.script:1: 'dump' takes no arguments\n"},
        {"png\n", "t.script:1: usage: png FILE\n"},
        {"png out.png\n", "t.script:1: nothing drawn yet: 'draw' before 'png'\n"},
        {"install\n", "t.script:1: the gauge is installed already\n"},
        {"kill\nkill\n", "t.script:2: the gauge is not installed\n"},
        {"kill\nupdate\n", "t.script:2: 'update' needs the gauge installed (it was killed)\n"},
        {too_long.c_str(), "t.script:1: text of 256 bytes is longer than 255\n"},
        {"sets 0x17 \xE2\x98\x83\n", "t.script:1: text has a character (U+2603) that the Windows Western code page lacks\n"},
        {"sets 0x17 \xC3\n", "t.script:1: text is not valid UTF-8\n"},
        // Tokens the host knows as texts or integers refuse the other kinds.
        {"set 0x2f 5\n", "t.script:1: token 0x2f holds a text: use sets\n"},
        {"seti 0x13 5\n", "t.script:1: token 0x13 holds a text: use sets\n"},
        {"set 0x2b 1\n", "t.script:1: token 0x2b holds a 32-bit integer: use seti\n"},
        {"sets 0x2a X\n", "t.script:1: token 0x2a holds a 32-bit integer: use seti\n"},
    };
    for (const Case& c : cases) {
        PanelHost& h = host;
        if (!h.installed()) {
            std::string e;
            ASSERT_TRUE(h.install(&e));
        }
        bool ok = true;
        std::string error;
        std::string out = run(c.script, &ok, &error);
        EXPECT_FALSE(ok) << c.script;
        EXPECT_EQ(error, c.message) << c.script;
        EXPECT_EQ(out, "") << "nothing after the bad line runs: " << c.script;
    }
}

}  // namespace
