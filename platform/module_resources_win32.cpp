// Win32 form: thin wrapper over the Windows resource calls on the module handle.
#include "module_resources.h"

#include <windows.h>

bool module_find_raw_resource(void* module, const char* name, ModuleResource* out) {
    HMODULE handle = static_cast<HMODULE>(module);
    HRSRC found = FindResourceA(handle, name, MAKEINTRESOURCEA(10));
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(handle, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    out->data = static_cast<const uint8_t*>(bytes);
    out->size = bytes ? uint32_t(SizeofResource(handle, found)) : 0;
    return true;
}
