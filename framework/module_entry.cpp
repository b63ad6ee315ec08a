// The parts every module shares: its import table, its do-nothing module routines and, in the
// Win32 form, a library entry that succeeds for every notification and does nothing else.
#include "module.h"

extern "C" {
GAUGE_EXPORT ImportEntry ImportTable[2] = {
    {kPanelServicesImportId, nullptr},
    {0, nullptr},
};
}

void GAUGE_CALL gauge_module_init() {}
void GAUGE_CALL gauge_module_deinit() {}

#if defined(_WIN32)
extern "C" int __stdcall DllMain(void* /*instance*/, unsigned long /*reason*/, void* /*reserved*/) {
    return 1;
}
#endif
