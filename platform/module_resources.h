// Resource lookup for code inside a module: the module's own resources through the handle the
// host passed to install. Win32: FindResourceA, LoadResource, LockResource on the module handle.
// Native: the resource pack linked into the module's "gauge_resources" section.
#pragma once

#include <cstdint>

struct ModuleResource {
    const uint8_t* data;
    uint32_t size;
};

// Raw-data (RCDATA) resource by name; false when the module has none of that name.
bool module_find_raw_resource(void* module, const char* name, ModuleResource* out);
