#include "tools/art/resources.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "tools/art/bmp.h"
#include "tools/art/files.h"

namespace art {

IndexedImage finish(const Canvas& canvas, const BitmapOptions& options) {
    return quantize(canvas.width(), canvas.height(), canvas.to_rgb(options.edges),
                    options.pinned);
}

std::vector<IndexedImage> finish_together(const std::vector<const Canvas*>& canvases,
                                          const BitmapOptions& options) {
    std::vector<std::vector<Rgb>> pixels;
    for (const Canvas* c : canvases) pixels.push_back(c->to_rgb(options.edges));
    std::vector<const std::vector<Rgb>*> all;
    for (const auto& p : pixels) all.push_back(&p);
    std::vector<Rgb> palette = build_palette(all, options.pinned);
    std::vector<IndexedImage> out;
    for (size_t i = 0; i < canvases.size(); ++i)
        out.push_back(apply_palette(canvases[i]->width(), canvases[i]->height(), pixels[i], palette));
    return out;
}

ResourceWriter::ResourceWriter(std::string dir, std::string module)
    : dir_(std::move(dir)), module_(std::move(module)) {
    if (!dir_.empty() && dir_.back() == '/') dir_.pop_back();
}

std::string ResourceWriter::path_of(const std::string& file) const {
    return dir_.empty() ? file : dir_ + "/" + file;
}

std::string ResourceWriter::add_bitmap(uint32_t id, const Canvas& canvas,
                                       const BitmapOptions& options) {
    return add_bitmap(id, finish(canvas, options));
}

std::string ResourceWriter::add_bitmap(uint32_t id, const IndexedImage& image) {
    if (std::find(bitmap_ids_.begin(), bitmap_ids_.end(), id) != bitmap_ids_.end())
        throw std::invalid_argument("bitmap id " + std::to_string(id) + " listed twice");
    char name[64];
    std::snprintf(name, sizeof name, "_%04x.bmp", unsigned(id));
    std::string file = module_ + name;
    write_bmp(path_of(file), image);
    char line[32];
    std::snprintf(line, sizeof line, "BITMAP 0x%04x ", unsigned(id));
    lines_.push_back(line + file);
    bitmap_ids_.push_back(id);
    return file;
}

void ResourceWriter::add_data(const std::string& name, const std::string& file,
                              const std::vector<uint8_t>& bytes) {
    list_data(name, file);
    try {
        write_file(path_of(file), bytes);
    } catch (...) {
        lines_.pop_back();
        data_names_.pop_back();
        throw;
    }
}

void ResourceWriter::list_data(const std::string& name, const std::string& file) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    if (name.empty() || name.size() > 31 || std::any_of(name.begin(), name.end(), blank) ||
        name[0] == '#')
        throw std::invalid_argument("raw data name \"" + name +
                                    "\" must be 1 to 31 characters without blanks");
    if (file.empty() || std::any_of(file.begin(), file.end(), blank))
        throw std::invalid_argument("raw data file name \"" + file + "\" must have no blanks");
    if (std::find(data_names_.begin(), data_names_.end(), name) != data_names_.end())
        throw std::invalid_argument("raw data " + name + " listed twice");
    lines_.push_back("RCDATA " + name + " " + file);
    data_names_.push_back(name);
}

void ResourceWriter::write_list() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    write_file(path_of("resources.list"), std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace art
