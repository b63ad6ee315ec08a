// rsrcpack: turns a module's resource list into the two forms a module carries its resources in.
//
//   rsrcpack LIST PACK RC
//
// LIST has one resource a line, "BITMAP <id> <file.bmp>" or "RCDATA <NAME> <file>", paths
// relative to the list. PACK receives the resource pack of a native module (bitmaps without their
// 14-byte file header, as Windows stores them), RC a resource script for the Win32 build.
#include "platform/resource_pack.h"
#include "tools/art/le_bytes.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using art::put_le32;

struct Item {
    uint32_t type;
    uint32_t id;
    std::string name;
    std::string path;
    std::vector<uint8_t> bytes;
};

bool read_file(const std::string& path, std::vector<uint8_t>* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: rsrcpack LIST PACK RC\n";
        return 2;
    }
    std::string list_path = argv[1];
    std::string dir = list_path.substr(0, list_path.find_last_of('/') + 1);
    std::ifstream list(list_path);
    if (!list) {
        std::cerr << "rsrcpack: cannot read " << list_path << "\n";
        return 1;
    }
    std::vector<Item> items;
    std::string line;
    for (int number = 1; std::getline(list, line); ++number) {
        std::istringstream words(line);
        std::string kind, key, file;
        if (!(words >> kind) || kind[0] == '#') continue;
        if (!(words >> key >> file)) {
            std::cerr << list_path << ":" << number << ": expected KIND KEY FILE\n";
            return 1;
        }
        Item item;
        item.path = file[0] == '/' ? file : dir + file;
        if (kind == "BITMAP") {
            item.type = kResourceBitmap;
            item.id = uint32_t(std::stoul(key, nullptr, 0));
        } else if (kind == "RCDATA") {
            item.type = kResourceRawData;
            item.id = 0;
            item.name = key;
            if (key.size() > 31) {
                std::cerr << list_path << ":" << number << ": name longer than 31 characters\n";
                return 1;
            }
        } else {
            std::cerr << list_path << ":" << number << ": unknown resource kind " << kind << "\n";
            return 1;
        }
        if (!read_file(item.path, &item.bytes)) {
            std::cerr << list_path << ":" << number << ": cannot read " << item.path << "\n";
            return 1;
        }
        if (item.type == kResourceBitmap) {
            if (item.bytes.size() < 14 || item.bytes[0] != 'B' || item.bytes[1] != 'M') {
                std::cerr << item.path << ": not a BMP file\n";
                return 1;
            }
            item.bytes.erase(item.bytes.begin(), item.bytes.begin() + 14);
        }
        items.push_back(std::move(item));
    }

    std::vector<uint8_t> pack(kResourcePackMagic, kResourcePackMagic + 8);
    put_le32(pack, uint32_t(items.size()));
    put_le32(pack, 0);
    uint32_t offset = uint32_t(kResourcePackHeaderSize + items.size() * kResourcePackEntrySize);
    for (const Item& item : items) {
        put_le32(pack, item.type);
        put_le32(pack, item.id);
        char name[32] = {};
        item.name.copy(name, 31);
        pack.insert(pack.end(), name, name + 32);
        put_le32(pack, offset);
        put_le32(pack, uint32_t(item.bytes.size()));
        offset += uint32_t((item.bytes.size() + 3) & ~size_t(3));
    }
    for (const Item& item : items) {
        pack.insert(pack.end(), item.bytes.begin(), item.bytes.end());
        pack.resize((pack.size() + 3) & ~size_t(3), 0);
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(pack.data()), std::streamsize(pack.size()));
    std::ofstream rc(argv[3]);
    for (const Item& item : items) {
        if (item.type == kResourceBitmap)
            rc << item.id << " BITMAP \"" << item.path << "\"\n";
        else
            rc << item.name << " RCDATA \"" << item.path << "\"\n";
    }
    if (!out || !rc) {
        std::cerr << "rsrcpack: cannot write outputs\n";
        return 1;
    }
    return 0;
}
