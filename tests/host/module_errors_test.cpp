// Modules that are not what they should be: files that are no library, libraries that are no
// gauge module, missing bitmaps, element trees and mouse lists that are not well formed. Each
// gives a clear message; none crashes or hangs the host.
#include "host/elf_sections.h"
#include "host_fixture.h"

#include <fstream>
#include <iterator>

namespace {

std::string scratch(const std::string& name) { return std::string(SCRATCH_DIR) + "/" + name; }

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool contains(const std::vector<std::string>& list, const std::string& part) {
    for (const std::string& s : list)
        if (s.find(part) != std::string::npos) return true;
    return false;
}

TEST(ModuleLoading, FileThatIsNoLibraryIsRefusedWithTheSystemsReason) {
    write_file(scratch("text.so"), {'h', 'e', 'l', 'l', 'o', '\n'});
    PanelHost host;
    std::string error;
    EXPECT_FALSE(host.load(scratch("text.so"), &error));
    EXPECT_EQ(error.rfind("Failed loading text.so: ", 0), 0u) << error;
    EXPECT_FALSE(host.load(scratch("absent.so"), &error));
    EXPECT_EQ(error.rfind("Failed loading absent.so: ", 0), 0u) << error;
}

TEST(ModuleLoading, LibraryWithoutTheRecordsIsNoGaugeModule) {
    PanelHost host;
    std::string error;
    EXPECT_FALSE(host.load(module_path("fixture_noexports"), &error));
    EXPECT_EQ(error, "fixture_noexports.so: not a gauge module: no export Linkage");
    // The host is free for a good module afterwards.
    EXPECT_TRUE(host.load(module_path("fixture_plain"), &error)) << error;
}

TEST(ModuleLoading, TruncatedModuleGivesAMessage) {
    std::vector<uint8_t> whole = read_file(module_path("fixture_plain"));
    ASSERT_GT(whole.size(), 4096u);
    for (size_t keep : {size_t(0), size_t(3), size_t(64), size_t(1000), whole.size() / 2}) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + ptrdiff_t(keep));
        write_file(scratch("truncated.so"), part);
        PanelHost host;
        std::string error;
        EXPECT_FALSE(host.load(scratch("truncated.so"), &error)) << keep;
        EXPECT_NE(error.find("truncated.so"), std::string::npos) << error;
    }
}

TEST(ModuleLoading, OnlyOneHostAtATimeHasAModule) {
    PanelHost first, second;
    std::string error;
    ASSERT_TRUE(first.load(module_path("fixture_plain"), &error)) << error;
    EXPECT_FALSE(second.load(module_path("fixture_tree"), &error));
    EXPECT_EQ(error, "another panel host has a module loaded");
    first.unload();
    EXPECT_TRUE(second.load(module_path("fixture_tree"), &error)) << error;
}

TEST(ModuleInstall, MissingBitmapIsNamedAndTheRestWorks) {
    PanelHost host;
    std::string error;
    ASSERT_TRUE(host.load(module_path("fixture_missing"), &error)) << error;
    ASSERT_TRUE(host.install(&error));
    EXPECT_EQ(host.take_errors(),
              std::vector<std::string>{
                  "fixture_missing.so: bitmap 0x2003 (icon 0x2000, state 1) not found"});
    host.tokens().set_number(0x10, 1);  // the missing state: nothing drawn, nothing broken
    host.update();
    host.draw();
    ASSERT_NE(host.frame(), nullptr);
    EXPECT_EQ(host.frame()->image.at(3, 3), kBlue);
}

TEST(ModuleInstall, BrokenTreeIsReportedAndWalkedSafely) {
    PanelHost host;
    std::string error;
    ASSERT_TRUE(host.load(module_path("fixture_badtree"), &error)) << error;
    ASSERT_TRUE(host.install(&error));
    std::vector<std::string> errors = host.take_errors();
    EXPECT_TRUE(contains(errors, "leads back to element 1 (static image 0x1000): a cycle"));
    EXPECT_TRUE(contains(errors, "element 2 (static image 0x1100) stands in more than one child list"));
    EXPECT_TRUE(contains(errors, "element 3 has unknown kind 3"));
    EXPECT_TRUE(contains(errors, "bitmap 0x1100 (static image 0x1100) not found"));
    EXPECT_TRUE(contains(errors, "mouse entry 1 (child): a child outside any parent"));
    host.update();  // must come back despite the cycle
    host.draw();
    EXPECT_NE(host.frame(), nullptr);
}

TEST(ElfSections, GarbageAndTruncatedFilesAreMalformedNeverReadPastTheEnd) {
    std::vector<uint8_t> whole = read_file(module_path("fixture_plain"));
    ElfSection section;
    std::string error;
    ASSERT_EQ(elf64_find_section(whole.data(), whole.size(), "gauge_resources", &section, &error),
              ElfLookup::kFound);
    EXPECT_EQ(std::string(whole.begin() + ptrdiff_t(section.offset),
                          whole.begin() + ptrdiff_t(section.offset + 8)),
              "GRSCPAK1");
    EXPECT_EQ(elf64_find_section(whole.data(), whole.size(), "no_such", &section, &error),
              ElfLookup::kAbsent);
    // Every cut through the headers: each copy is exactly as long as the cut, so a read past
    // it shows up under the sanitizers.
    for (size_t keep = 0; keep < whole.size(); keep += keep < 256 ? 1 : 997) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + ptrdiff_t(keep));
        ElfLookup r = elf64_find_section(part.data(), part.size(), "gauge_resources", &section, &error);
        if (r == ElfLookup::kFound) {
            EXPECT_LE(section.offset + section.size, keep);
        }
    }
    // Section table fields overwritten with large values.
    std::vector<uint8_t> bad = whole;
    for (size_t at : {size_t(0x28), size_t(0x3A), size_t(0x3C), size_t(0x3E)}) {
        bad = whole;
        bad[at] = 0xFF;
        bad[at + 1] = 0xFF;
        elf64_find_section(bad.data(), bad.size(), "gauge_resources", &section, &error);
    }
    EXPECT_EQ(elf64_find_section(reinterpret_cast<const uint8_t*>("MZ"), 2, "x", &section, &error),
              ElfLookup::kMalformed);
    EXPECT_EQ(error, "not an ELF file");
}

}  // namespace
