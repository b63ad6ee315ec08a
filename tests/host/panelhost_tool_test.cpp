// The panelhost program as people use it: exit codes and messages of its subcommands.
#include "host_fixture.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs panelhost with `args` (shell words), capturing both streams.
ToolRun panelhost(const std::string& args) {
    // One file per test: the tests may run side by side.
    std::string err_file = std::string(SCRATCH_DIR) + "/" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                           ".stderr";
    std::string command = std::string(PANELHOST) + " " + args + " 2>" + err_file;
    ToolRun r{-1, "", ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) r.out.append(buf, n);
    int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(err_file);
    r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return r;
}

std::string scratch_file(const std::string& name, const std::string& text) {
    std::string path = std::string(SCRATCH_DIR) + "/" + name;
    std::ofstream(path) << text;
    return path;
}

TEST(PanelhostTool, ScriptErrorsNameFileAndLine) {
    std::string script = scratch_file("bad.script", "update\ndump\nupdte 3\n");
    ToolRun r = panelhost("script " + module_path("fixture_tree") + " " + script);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, script + ":3: unknown command 'updte'\n");
    EXPECT_EQ(r.out.find("{\"elements\""), 0u) << "output before the bad line stays";

    r = panelhost("script " + module_path("fixture_tree") + " /nonexistent/x.script");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "panelhost: cannot open script /nonexistent/x.script\n");
}

TEST(PanelhostTool, ScriptReadsStandardInput) {
    ToolRun r = panelhost("script " + module_path("fixture_plain") + " < /dev/null");
    EXPECT_EQ(r.status, 0) << r.err;
    r = panelhost("script " + module_path("fixture_plain") + " --fps 0 < /dev/null");
    EXPECT_EQ(r.status, 2);
}

TEST(PanelhostTool, MissingBitmapStopsWithItsMessage) {
    std::string script = scratch_file("dump.script", "dump\n");
    ToolRun r = panelhost("script " + module_path("fixture_missing") + " " + script);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "fixture_missing.so: bitmap 0x2003 (icon 0x2000, state 1) not found\n");
    EXPECT_EQ(r.out, "");
}

TEST(PanelhostTool, ModulesThatAreNoGaugeModules) {
    ToolRun r = panelhost("script " + module_path("fixture_noexports") + " < /dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "fixture_noexports.so: not a gauge module: no export Linkage\n");
    std::string text = scratch_file("plain.txt", "not a module\n");
    r = panelhost("inspect " + text);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("Failed loading plain.txt: ", 0), 0u) << r.err;
}

TEST(PanelhostTool, InspectPassesAGoodModuleAndListsEveryProblemOfABadOne) {
    ToolRun good = panelhost("inspect " + module_path("fixture_tree"));
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.out.find("name: \"Fixture tree\""), std::string::npos) << good.out;
    EXPECT_NE(good.out.find("reference_size: [16, 12]"), std::string::npos) << good.out;

    ToolRun json = panelhost("inspect --json " + module_path("fixture_plain"));
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"module\":\"fixture_plain.so\",\"linkage\":{\"module_id\":\"0x13\"", 0), 0u)
        << json.out;
    EXPECT_NE(json.out.find("\"problems\":[]}"), std::string::npos) << json.out;

    ToolRun bad = panelhost("inspect " + module_path("fixture_badtree"));
    EXPECT_EQ(bad.status, 1);
    for (const char* problem : {
             "fixture_badtree.so: the child list of element 2 leads back to element 1 (static image 0x1000): a cycle",
             "fixture_badtree.so: element 2 (static image 0x1100) stands in more than one child list",
             "fixture_badtree.so: element 3 has unknown kind 3",
             "fixture_badtree.so: bitmap 0x1100 (static image 0x1100) not found",
             "fixture_badtree.so: element 2 (static image 0x1100): failure list has no end within 64 pairs",
             "fixture_badtree.so: mouse entry 1 (child): a child outside any parent",
         })
        EXPECT_NE(bad.err.find(std::string(problem) + "\n"), std::string::npos) << problem << "\n" << bad.err;

    ToolRun missing = panelhost("inspect " + module_path("fixture_missing"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "fixture_missing.so: bitmap 0x2003 (icon 0x2000, state 1) not found\n");
}

TEST(PanelhostTool, RenderWritesAPicture) {
    std::string png = std::string(SCRATCH_DIR) + "/render.png";
    std::remove(png.c_str());
    ToolRun r = panelhost("render " + module_path("fixture_tree") + " -o " + png +
                      " --set 0x10=1 --seti 0x12=5 --sets 0x17=AB --click 1,1 --updates 2");
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream in(png, std::ios::binary);
    char magic[8] = {};
    in.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");

    r = panelhost("render " + module_path("fixture_tree") + " -o " + png + " --set 0x10=abc");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "panelhost: --set 0x10=abc: bad number 'abc'\n");
    r = panelhost("render " + module_path("fixture_tree"));
    EXPECT_EQ(r.status, 2);
}

}  // namespace
