// Native form: the module's resources are the pack the build linked into its own image.
#include "module_resources.h"
#include "resource_pack.h"

extern "C" const uint8_t __start_gauge_resources[] __attribute__((visibility("hidden")));
extern "C" const uint8_t __stop_gauge_resources[] __attribute__((visibility("hidden")));

bool module_find_raw_resource(void* /*module*/, const char* name, ModuleResource* out) {
    ResourcePackEntry entry;
    size_t size = size_t(__stop_gauge_resources - __start_gauge_resources);
    if (!resource_pack_find(__start_gauge_resources, size, kResourceRawData, 0, name, &entry))
        return false;
    out->data = entry.data;
    out->size = entry.size;
    return true;
}
