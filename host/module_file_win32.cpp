// Win32 form of the module loader: LoadLibrary, the two exported records by GetProcAddress, and
// the module's resources through its HMODULE, the way the panel system itself finds them.
#include "host/module_file.h"

#include "host/system_error_win32.h"

#include <algorithm>
#include <cstring>

namespace {

std::string base_name(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True when [address, address + size) is committed memory of the module that can be read (and,
// with `writable`, written): the host reads Linkage and writes into ImportTable.
bool memory_allows(const void* address, size_t size, bool writable) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(address, &info, sizeof info) != sizeof info || info.State != MEM_COMMIT)
        return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const DWORD can_write =
        PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if ((info.Protect & (writable ? can_write : readable)) == 0 || (info.Protect & PAGE_GUARD))
        return false;
    auto end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    return static_cast<const char*>(address) + size <= end;
}

// A resource's bytes as the module holds them; false when it has none of that type and name.
bool resource_bytes(HMODULE module, const char* type, const char* name, const uint8_t** data,
                    uint32_t* size) {
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return false;
    *data = static_cast<const uint8_t*>(bytes);
    *size = uint32_t(SizeofResource(module, found));
    return true;
}

struct Enumeration {
    HMODULE module;
    std::vector<ModuleResourceInfo>* out;
    uint32_t type;
};

BOOL CALLBACK add_resource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    Enumeration* e = reinterpret_cast<Enumeration*>(param);
    ModuleResourceInfo info{e->type, 0, {}, 0};
    if (IS_INTRESOURCE(name))
        info.id = uint32_t(reinterpret_cast<uintptr_t>(name));
    else
        info.name = name;
    const uint8_t* data = nullptr;
    resource_bytes(module, type, name, &data, &info.size);
    e->out->push_back(std::move(info));
    return TRUE;
}

BOOL CALLBACK add_resource_type(HMODULE module, LPSTR type, LONG_PTR param) {
    // Only numbered types exist in a gauge module (bitmaps and raw data); a named type has no
    // place in the listing.
    if (!IS_INTRESOURCE(type)) return TRUE;
    Enumeration* e = reinterpret_cast<Enumeration*>(param);
    e->type = uint32_t(reinterpret_cast<uintptr_t>(type));
    EnumResourceNamesA(module, type, &add_resource, param);
    return TRUE;
}

}  // namespace

std::unique_ptr<ModuleFile> ModuleFile::open(const std::string& path, std::string* error) {
    const std::string name = base_name(path);
    // A full path, so the loader takes exactly this file and looks for nothing else.
    char full[MAX_PATH * 4];
    DWORD full_length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    const char* load_path = full_length != 0 && full_length < sizeof full ? full : path.c_str();
    // No message boxes for a missing or broken file while loading: the reason goes to the caller.
    DWORD old_mode = 0;
    BOOL mode_set = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
    HMODULE handle = LoadLibraryExA(load_path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD code = GetLastError();
    if (mode_set) SetThreadErrorMode(old_mode, nullptr);
    if (handle == nullptr) {
        *error = "Failed loading " + name + ": " + system_error_text(code, name);
        return nullptr;
    }
    auto linkage = reinterpret_cast<ModuleLinkage*>(GetProcAddress(handle, "Linkage"));
    auto imports = reinterpret_cast<ImportEntry*>(GetProcAddress(handle, "ImportTable"));
    if (linkage == nullptr || imports == nullptr) {
        *error = name + ": not a gauge module: no export " +
                 (linkage == nullptr ? "Linkage" : "ImportTable");
        FreeLibrary(handle);
        return nullptr;
    }
    // The records are read (and the import table written) by their layout.
    const char* unusable = !memory_allows(linkage, sizeof(ModuleLinkage), false)
                               ? "Linkage is not a readable record of its size"
                           : !memory_allows(imports, 2 * sizeof(ImportEntry), true)
                               ? "ImportTable is not writable data with room for one entry and its end"
                               : nullptr;
    if (unusable != nullptr) {
        *error = name + ": not a gauge module: " + unusable;
        FreeLibrary(handle);
        return nullptr;
    }
    std::unique_ptr<ModuleFile> file(new ModuleFile);
    file->path_ = path;
    file->handle_ = handle;
    file->linkage_ = linkage;
    file->import_table_ = imports;
    return file;
}

ModuleFile::~ModuleFile() {
    if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool ModuleFile::find_bitmap(uint32_t id, std::vector<uint8_t>* dib) const {
    // Resource ids are 16-bit: a larger id names no resource (and must not wrap onto one).
    if (id == 0 || id > 0xFFFF) return false;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!resource_bytes(static_cast<HMODULE>(handle_), MAKEINTRESOURCEA(2),
                        MAKEINTRESOURCEA(id), &data, &size))
        return false;
    dib->assign(data, data + size);
    return true;
}

bool ModuleFile::find_raw(const std::string& name, std::vector<uint8_t>* bytes) const {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (name.empty() || !resource_bytes(static_cast<HMODULE>(handle_), MAKEINTRESOURCEA(10),
                                        name.c_str(), &data, &size))
        return false;
    bytes->assign(data, data + size);
    return true;
}

std::vector<ModuleResourceInfo> ModuleFile::resources() const {
    std::vector<ModuleResourceInfo> list;
    Enumeration e{static_cast<HMODULE>(handle_), &list, 0};
    EnumResourceTypesA(e.module, &add_resource_type, reinterpret_cast<LONG_PTR>(&e));
    return list;
}
