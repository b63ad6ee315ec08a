// A gauge module file loaded into the host process: the platform loader (dlopen in the native
// host, LoadLibrary in the Win32 host), the two exported records and the module's resources.
#pragma once

#include "framework/gauge_records.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ModuleResourceInfo {
    uint32_t type;       // 2 = bitmap, 10 = raw data
    uint32_t id;         // numeric id; 0 for named resources
    std::string name;    // empty for numbered resources
    uint32_t size;       // bytes
};

class ModuleFile {
public:
    // Loads the library and finds "Linkage" and "ImportTable". On failure returns null and sets
    // *error to a message that names the file and gives the system's own reason.
    static std::unique_ptr<ModuleFile> open(const std::string& path, std::string* error);
    ~ModuleFile();  // unloads the library

    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    const std::string& path() const { return path_; }
    ModuleLinkage* linkage() const { return linkage_; }
    ImportEntry* import_table() const { return import_table_; }

    // The handle the host passes to the gauge's install routine: the module handle through which
    // its own resources are found (the dlopen handle natively, the HMODULE on Win32).
    void* resource_handle() const { return handle_; }

    // A bitmap resource as the module stores it (a DIB without file header); false when absent.
    bool find_bitmap(uint32_t id, std::vector<uint8_t>* dib) const;
    // A raw-data resource by name, its bytes as the module stores them; false when absent.
    bool find_raw(const std::string& name, std::vector<uint8_t>* bytes) const;
    // Every resource the module carries, for inspection.
    std::vector<ModuleResourceInfo> resources() const;

private:
    ModuleFile() = default;
    std::string path_;
    void* handle_ = nullptr;
    ModuleLinkage* linkage_ = nullptr;
    ImportEntry* import_table_ = nullptr;
    std::vector<uint8_t> resource_pack_;  // native form: the "gauge_resources" section
};
