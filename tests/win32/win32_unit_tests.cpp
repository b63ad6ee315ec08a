// The Win32 host's own back-ends, run under Wine: the loader (LoadLibrary and the module's
// resources through its handle), the text arena at its fixed address, and string drawing with
// GDI. The fixture modules sit beside this program (fixtures/fixture_module.*).
#include "host/module_file.h"
#include "host/raster.h"
#include "host/text_arena.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string beside_program(const std::string& file) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + file;
}

std::unique_ptr<ModuleFile> open_fixture(const std::string& file, std::string* error) {
    return ModuleFile::open(beside_program(file), error);
}

// ---------------------------------------------------------------------------------------------
// Loader

TEST(Win32ModuleFile, FindsTheRecordsOfAWellFormedModule) {
    std::string error;
    auto module = open_fixture("fixture_module.dll", &error);
    ASSERT_NE(module, nullptr) << error;
    EXPECT_EQ(module->linkage()->module_id, kModuleIdentifier);
    EXPECT_EQ(module->import_table()[0].id, kPanelServicesImportId);
    EXPECT_EQ(module->import_table()[1].id, 0u);
    // The resource handle is the module handle itself: FindResource works on it.
    EXPECT_EQ(module->resource_handle(), GetModuleHandleA("fixture_module.dll"));
    // The host writes the services address into the import table.
    int services = 0;
    module->import_table()[0].pointer = &services;
    EXPECT_EQ(module->import_table()[0].pointer, &services);
}

TEST(Win32ModuleFile, UnloadsTheLibraryWhenDestroyed) {
    std::string error;
    auto module = open_fixture("fixture_module.dll", &error);
    ASSERT_NE(module, nullptr) << error;
    module.reset();
    EXPECT_EQ(GetModuleHandleA("fixture_module.dll"), nullptr);
}

TEST(Win32ModuleFile, FindsBitmapsByNumericIdOnly) {
    std::string error;
    auto module = open_fixture("fixture_module.dll", &error);
    ASSERT_NE(module, nullptr) << error;
    std::vector<uint8_t> dib;
    ASSERT_TRUE(module->find_bitmap(7, &dib));
    ASSERT_EQ(dib.size(), 56u);  // header, two palette colours, two padded rows
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    EXPECT_EQ(header->biWidth, 2);
    EXPECT_EQ(header->biHeight, 2);
    EXPECT_EQ(header->biBitCount, 8);
    EXPECT_EQ(dib[40 + 4 + 2], 0xFF);  // palette colour 1 is red (blue, green, red, 0)
    ASSERT_TRUE(module->find_bitmap(0x1000, &dib));
    EXPECT_EQ(dib.size(), 48u);
    // Absent ids, and ids beyond 16 bits that must not wrap onto 7 or 0x1000.
    for (uint32_t id : {0u, 8u, 0x10007u, 0x11000u, 0xFFFFFFFFu})
        EXPECT_FALSE(module->find_bitmap(id, &dib)) << std::hex << id;
}

TEST(Win32ModuleFile, ListsEveryResource) {
    std::string error;
    auto module = open_fixture("fixture_module.dll", &error);
    ASSERT_NE(module, nullptr) << error;
    std::vector<ModuleResourceInfo> list = module->resources();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].type, 2u);
    EXPECT_EQ(list[0].id, 7u);
    EXPECT_EQ(list[0].size, 56u);
    EXPECT_EQ(list[1].type, 2u);
    EXPECT_EQ(list[1].id, 0x1000u);
    EXPECT_EQ(list[1].size, 48u);
    EXPECT_EQ(list[2].type, 10u);
    EXPECT_EQ(list[2].id, 0u);
    EXPECT_EQ(list[2].name, "CLICK");
    EXPECT_EQ(list[2].size, 8u);
}

TEST(Win32ModuleFile, ExplainsWhyAFileIsNotLoaded) {
    // A file that is no PE image at all.
    std::string bogus = beside_program("bogus_module.dll");
    FILE* f = std::fopen(bogus.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("not a module\n", f);
    std::fclose(f);

    struct Case {
        std::string file;
        std::string message_start;
    };
    const Case cases[] = {
        {"no_such_module.dll", "Failed loading no_such_module.dll: "},
        {"bogus_module.dll", "Failed loading bogus_module.dll: "},
        {"fixture_no_linkage.dll", "fixture_no_linkage.dll: not a gauge module: no export Linkage"},
        {"fixture_readonly_imports.dll",
         "fixture_readonly_imports.dll: not a gauge module: ImportTable is not writable"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(open_fixture(c.file, &error), nullptr) << c.file;
        EXPECT_EQ(error.substr(0, c.message_start.size()), c.message_start) << error;
        // Loader failures go on with the system's reason, on one line, placeholders filled in.
        if (c.message_start.find("Failed loading") == 0) {
            EXPECT_GT(error.size(), c.message_start.size() + 4) << error;
        }
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_EQ(error.find("%1"), std::string::npos) << error;
        std::printf("  %s\n", error.c_str());
    }
    std::remove(bogus.c_str());
}

// ---------------------------------------------------------------------------------------------
// Text arena

TEST(Win32TextArena, IsOneZeroFilledWritableBlockAtTheFixedAddress) {
    std::string error;
    char* arena = text_arena(&error);
    ASSERT_NE(arena, nullptr) << error;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(arena), kTextArenaAddress);
    EXPECT_TRUE(std::all_of(arena, arena + kTextArenaSize, [](char c) { return c == 0; }));
    arena[0] = 'a';
    arena[kTextArenaSize - 1] = 'z';
    EXPECT_EQ(text_arena(nullptr), arena);  // the same block on every call
    EXPECT_EQ(arena[kTextArenaSize - 1], 'z');
    arena[0] = arena[kTextArenaSize - 1] = 0;
}

// ---------------------------------------------------------------------------------------------
// Text drawing

constexpr Rgba kPaper{1, 2, 3, 255};

TextStyle style(const char* face, uint32_t foreground, uint32_t background, uint32_t format) {
    TextStyle s;
    s.font_face = face;
    s.foreground = foreground;
    s.background = background;
    s.format = format;
    return s;
}

struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

// Pixels of the frame that differ from `background` within the rectangle.
Ink ink_of(const Frame& frame, Rgba background) {
    Ink ink;
    for (int y = 0; y < frame.image.height; ++y)
        for (int x = 0; x < frame.image.width; ++x)
            if (!(frame.image.at(x, y) == background) && !(frame.image.at(x, y) == kPaper)) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

TEST(Win32TextDrawing, FillsTheBoxWithTheBackgroundAndLeavesTheRest) {
    Frame frame{Image(40, 20, kPaper), 0, 0};
    draw_text(frame, style("Arial", 0xFFFFFF, 0x080808, 0x25), 5, 4, 20, 10, "");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            bool in_box = x >= 5 && x < 25 && y >= 4 && y < 14;
            const Rgba expected = in_box ? Rgba{8, 8, 8, 255} : kPaper;
            EXPECT_EQ(frame.image.at(x, y), expected) << x << "," << y;
        }
}

TEST(Win32TextDrawing, DrawsRedTextOnBlueInsideTheBox) {
    // Red on blue shows a red/blue swap at once.
    Frame frame{Image(60, 30, kPaper), 0, 0};
    const Rgba blue{0, 0, 255, 255};
    draw_text(frame, style("Arial", 0x0000FF, 0xFF0000, 0x25), 10, 5, 40, 20, "HSI");
    Ink ink = ink_of(frame, blue);
    ASSERT_GT(ink.count, 20);
    EXPECT_GE(ink.left, 10);
    EXPECT_LT(ink.right, 50);
    EXPECT_GE(ink.top, 5);
    EXPECT_LT(ink.bottom, 25);
    int red = 0;
    for (const Rgba& p : frame.image.pixels) {
        if (p == kPaper) continue;
        EXPECT_EQ(p.g, 0);  // every pixel is blue, red or a mix of the two
        EXPECT_EQ(p.a, 255);
        if (p.r > 200 && p.b < 55) ++red;
    }
    EXPECT_GT(red, 5);
}

TEST(Win32TextDrawing, KeepsGlyphsUpright) {
    // An "L" has its long stroke on the left and its foot at the bottom: a picture turned upside
    // down or mirrored puts the ink elsewhere.
    Frame frame{Image(40, 40, kPaper), 0, 0};
    const Rgba white{255, 255, 255, 255};
    draw_text(frame, style("Arial", 0x000000, 0xFFFFFF, 0), 0, 0, 40, 40, "L");
    Ink ink = ink_of(frame, white);
    ASSERT_GT(ink.count, 20);
    auto row_ink = [&](int y) {
        int n = 0;
        for (int x = ink.left; x <= ink.right; ++x) n += frame.image.at(x, y) == white ? 0 : 1;
        return n;
    };
    auto column_ink = [&](int x) {
        int n = 0;
        for (int y = ink.top; y <= ink.bottom; ++y) n += frame.image.at(x, y) == white ? 0 : 1;
        return n;
    };
    EXPECT_GT(row_ink(ink.bottom), row_ink(ink.top));
    EXPECT_GT(column_ink(ink.left), column_ink(ink.right));
}

TEST(Win32TextDrawing, PlacesTextByTheFormatFlags) {
    const Rgba black{0, 0, 0, 255};
    Frame centred{Image(60, 20, kPaper), 0, 0};
    draw_text(centred, style("Arial", 0xFFFFFF, 0, 0x25), 0, 0, 60, 20, "88");
    Ink c = ink_of(centred, black);
    ASSERT_GT(c.count, 0);
    EXPECT_NEAR((c.left + c.right) / 2.0, 30, 2.5);
    EXPECT_NEAR((c.top + c.bottom) / 2.0, 10, 3.0);

    Frame top_left{Image(60, 20, kPaper), 0, 0};
    draw_text(top_left, style("Arial", 0xFFFFFF, 0, 0x20), 0, 0, 60, 20, "88");
    Ink t = ink_of(top_left, black);
    ASSERT_GT(t.count, 0);
    EXPECT_LT(t.left, 6);
    EXPECT_LT(t.left, c.left);
}

TEST(Win32TextDrawing, DrawsTheGaugeFontsAndTheDegreeSign) {
    const Rgba black{0, 0, 0, 255};
    for (const char* face : {"Small Fonts", "Arial"}) {
        Frame frame{Image(48, 8, kPaper), 0, 0};
        draw_text(frame, style(face, 0x00FF00, 0, 0x25), 0, 0, 48, 8, "123");
        EXPECT_GT(ink_of(frame, black).count, 5) << face;
    }
    // Byte 0xB0 of the Western code page is the degree sign: a small ring high in the line.
    Frame frame{Image(30, 30, kPaper), 0, 0};
    draw_text(frame, style("Arial", 0xFFFFFF, 0, 0x20), 0, 0, 30, 30, "\xB0");
    Ink ink = ink_of(frame, black);
    ASSERT_GT(ink.count, 0);
    EXPECT_LT(ink.bottom, 15);
}

TEST(Win32TextDrawing, ClipsToTheFrameWhereverTheBoxLies) {
    // The frame starts at panel point (-10, -5); boxes straddle each edge or lie outside.
    const Rgba background{8, 8, 8, 255};
    struct Box {
        int x, y, w, h;
    };
    const Box boxes[] = {{-20, -10, 30, 12}, {25, 10, 30, 12}, {-100, -100, 10, 10},
                         {5, 5, 0, 8},       {5, 5, 8, -1},    {0x7FFFFFF0, 0, 100, 8},
                         {-0x7FFFFFFF, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF}};
    for (const Box& b : boxes) {
        Frame frame{Image(40, 20, kPaper), -10, -5};
        draw_text(frame, style("Small Fonts", 0xFFFFFF, 0x080808, 0x25), b.x, b.y, b.w, b.h,
                  "00:00");
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) {
                int px = x - 10, py = y - 5;  // panel point of this frame pixel
                bool in_box = b.w > 0 && b.h > 0 && px >= int64_t(b.x) &&
                              px < int64_t(b.x) + b.w && py >= int64_t(b.y) &&
                              py < int64_t(b.y) + b.h;
                if (!in_box) {
                    EXPECT_EQ(frame.image.at(x, y), kPaper) << b.x << "," << b.y;
                } else if (!(frame.image.at(x, y) == background)) {
                    EXPECT_NE(frame.image.at(x, y), kPaper);  // filled or inked, never left
                }
            }
    }
}

}  // namespace
