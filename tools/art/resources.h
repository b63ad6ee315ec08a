// Writing a module's artwork folder: the bitmap (and data) files and the resources.list that
// rsrcpack reads, one resource a line:
//   BITMAP 0x1000 lampkey_1000.bmp
//   RCDATA HORN horn.wav
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/canvas.h"
#include "tools/art/palette.h"

namespace art {

struct BitmapOptions {
    std::vector<Rgb> pinned;  // kept exact besides (0,0,0) and (8,8,8)
    EdgeMode edges = EdgeMode::BlendToBlack;
};

// A canvas made into an 8-bit picture: finished (see canvas.h), then quantised.
IndexedImage finish(const Canvas& canvas, const BitmapOptions& options = {});
// Several canvases made into 8-bit pictures with one shared palette, so that the states of an
// icon show equal pixels equally.
std::vector<IndexedImage> finish_together(const std::vector<const Canvas*>& canvases,
                                          const BitmapOptions& options = {});

class ResourceWriter {
public:
    // Files go into `dir` (which must exist), bitmaps named "<module>_<id>.bmp", the id in at
    // least four lower-case hex digits.
    ResourceWriter(std::string dir, std::string module);

    // Writes the bitmap file and lists it; returns the file name. Raises std::invalid_argument
    // for an id listed before and std::runtime_error when the file cannot be written.
    std::string add_bitmap(uint32_t id, const Canvas& canvas, const BitmapOptions& options = {});
    std::string add_bitmap(uint32_t id, const IndexedImage& image);

    // Writes `bytes` to `file` in the folder and lists it as raw data named `name` (at most 31
    // characters, no blanks; each name once).
    void add_data(const std::string& name, const std::string& file,
                  const std::vector<uint8_t>& bytes);
    // Lists a file that is already in the folder.
    void list_data(const std::string& name, const std::string& file);

    std::string path_of(const std::string& file) const;
    // Writes resources.list with every resource added so far, in the order added.
    void write_list() const;

private:
    std::string dir_, module_;
    std::vector<std::string> lines_;
    std::vector<uint32_t> bitmap_ids_;
    std::vector<std::string> data_names_;
};

}  // namespace art
