// The fixture of the navigation display's art tests: runs the generator once per suite into a
// fresh folder and reads its bitmaps and resources.list from there. A suite derives its own
// fixture class from it.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/art/bmp.h"
#include "tools/art/files.h"

class GeneratedMapscopeArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        status_ = -1;
        char name[] = "/tmp/mapscope_art_testXXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
        const std::string command =
            std::string(MAPSCOPE_ART_PROGRAM) + " '" + dir_ + "' 2>'" + dir_ + "/stderr'";
        const int status = std::system(command.c_str());
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(dir_);
        images_.clear();
    }
    void SetUp() override { ASSERT_EQ(status_, 0) << "mapscope_art failed"; }

    static std::string file_name(uint32_t id) {
        char name[32];
        std::snprintf(name, sizeof name, "mapscope_%04x.bmp", unsigned(id));
        return name;
    }
    // The bitmap of `id`, read once; empty when it cannot be read.
    static const art::IndexedImage& bitmap(uint32_t id) {
        auto it = images_.find(id);
        if (it == images_.end()) {
            art::IndexedImage img;
            std::string error;
            EXPECT_TRUE(art::read_bmp(dir_ + "/" + file_name(id), &img, &error)) << error;
            it = images_.emplace(id, img).first;
        }
        return it->second;
    }
    static std::string list_text() {
        std::vector<uint8_t> b = art::read_file(dir_ + "/resources.list");
        return std::string(b.begin(), b.end());
    }

    // One suite runs at a time: each sets these up afresh and clears them at its end.
    static inline std::string dir_;
    static inline int status_ = -1;
    static inline std::map<uint32_t, art::IndexedImage> images_;
};
