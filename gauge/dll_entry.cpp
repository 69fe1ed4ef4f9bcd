// The gauge file's entry point on Windows. The gauge file links no C or C++
// runtime, so the system calls this routine directly when it loads and
// unloads the file. There is nothing to build or tear down: the module's
// globals are constant data in the file, and it starts no thread. Thread
// notifications are switched off, since the module keeps nothing per thread.
#include <windows.h>

#include "interface/fpu.h"

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID) {
    HostFloatingPointScope scope;
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
