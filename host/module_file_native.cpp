// Native form of the module loader: dlopen, the two exported records by dlsym, and the module's
// resource pack read from the "gauge_resources" section of the file itself.
#include "host/module_file.h"

#include "host/elf_sections.h"
#include "platform/resource_pack.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <fstream>
#include <iterator>

namespace {

std::string base_name(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The size the module's symbol table gives an exported object; 0 when unknown.
size_t symbol_size(void* address) {
    Dl_info info;
    void* entry = nullptr;
    if (dladdr1(address, &info, &entry, RTLD_DL_SYMENT) == 0 || entry == nullptr) return 0;
    return size_t(static_cast<const ElfW(Sym)*>(entry)->st_size);
}

bool read_whole_file(const std::string& path, std::vector<uint8_t>* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::unique_ptr<ModuleFile> ModuleFile::open(const std::string& path, std::string* error) {
    const std::string name = base_name(path);
    // The file is read first: a truncated library would be mapped and then fault where its
    // bytes are missing, so it is checked before the system loader sees it.
    // A file that cannot be read is left to dlopen, which gives the system's reason.
    std::vector<uint8_t> bytes;
    bool readable = read_whole_file(path, &bytes);
    std::string reason;
    if (readable && !elf64_segments_within_file(bytes.data(), bytes.size(), &reason)) {
        *error = "Failed loading " + name + ": " + reason;
        return nullptr;
    }
    // dlopen searches the library path for a bare name; a path with a slash names exactly this
    // file.
    std::string load_path = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(load_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* system_reason = dlerror();
        *error = "Failed loading " + name + ": " + (system_reason != nullptr ? system_reason : "unknown error");
        return nullptr;
    }
    std::unique_ptr<ModuleFile> file(new ModuleFile);
    file->path_ = path;
    file->handle_ = handle;  // from here on the destructor unloads it

    void* linkage = dlsym(handle, "Linkage");
    void* imports = dlsym(handle, "ImportTable");
    if (linkage == nullptr || imports == nullptr) {
        *error = name + ": not a gauge module: no export " +
                 (linkage == nullptr ? "Linkage" : "ImportTable");
        return nullptr;
    }
    // The records are read by their layout: an exported object smaller than that is not one.
    size_t linkage_size = symbol_size(linkage);
    size_t imports_size = symbol_size(imports);
    if (linkage_size != 0 && linkage_size < sizeof(ModuleLinkage)) {
        *error = name + ": not a gauge module: Linkage is " + std::to_string(linkage_size) +
                 " bytes, expected " + std::to_string(sizeof(ModuleLinkage));
        return nullptr;
    }
    if (imports_size != 0 && imports_size < 2 * sizeof(ImportEntry)) {
        *error = name + ": not a gauge module: ImportTable is " + std::to_string(imports_size) +
                 " bytes, too small for one entry and its end";
        return nullptr;
    }
    file->linkage_ = static_cast<ModuleLinkage*>(linkage);
    file->import_table_ = static_cast<ImportEntry*>(imports);

    if (!readable) {
        *error = name + ": cannot read the file";
        return nullptr;
    }
    ElfSection section;
    switch (elf64_find_section(bytes.data(), bytes.size(), "gauge_resources", &section, &reason)) {
    case ElfLookup::kMalformed:
        *error = name + ": " + reason;
        return nullptr;
    case ElfLookup::kAbsent:
        break;  // a module without resources: every bitmap lookup fails and says so
    case ElfLookup::kFound:
        file->resource_pack_.assign(bytes.begin() + ptrdiff_t(section.offset),
                                    bytes.begin() + ptrdiff_t(section.offset + section.size));
        break;
    }
    return file;
}

ModuleFile::~ModuleFile() {
    if (handle_ != nullptr) dlclose(handle_);
}

bool ModuleFile::find_bitmap(uint32_t id, std::vector<uint8_t>* dib) const {
    ResourcePackEntry entry;
    if (!resource_pack_find(resource_pack_.data(), resource_pack_.size(), kResourceBitmap, id,
                            nullptr, &entry))
        return false;
    dib->assign(entry.data, entry.data + entry.size);
    return true;
}

bool ModuleFile::find_raw(const std::string& name, std::vector<uint8_t>* bytes) const {
    ResourcePackEntry entry;
    if (!resource_pack_find(resource_pack_.data(), resource_pack_.size(), kResourceRawData, 0,
                            name.c_str(), &entry))
        return false;
    bytes->assign(entry.data, entry.data + entry.size);
    return true;
}

std::vector<ModuleResourceInfo> ModuleFile::resources() const {
    std::vector<ModuleResourceInfo> list;
    const uint8_t* pack = resource_pack_.data();
    size_t size = resource_pack_.size();
    uint32_t count = resource_pack_count(pack, size);
    for (uint32_t i = 0; i < count; ++i) {
        ResourcePackEntry entry;
        if (!resource_pack_entry(pack, size, i, &entry)) continue;
        list.push_back({entry.type, entry.name[0] != '\0' ? 0u : entry.id, entry.name, entry.size});
    }
    return list;
}
