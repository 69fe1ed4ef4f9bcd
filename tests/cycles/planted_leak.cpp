// A stand-in gauge file for load_cycles: the two exported records of a gauge
// that shows nothing, and on loading one leak, named by VQ_PLANTED_LEAK:
// "tls" (an index never freed), "heap" (64 KiB never freed) or "thread" (a
// thread that never ends); any other value leaks nothing.
#include <windows.h>

#include <cstring>

#include "interface/records.h"

namespace {
void VQ_STDCALL Nothing() {}
std::uint32_t VQ_STDCALL Zero() { return 0; }
void VQ_STDCALL Install(std::uint32_t) {}
std::uint32_t VQ_STDCALL Generate(std::uint32_t) { return 0; }
ImageElement* const NoElement = nullptr;
GaugeHeader Header = {610, "planted", &NoElement, Zero, Install, Zero, Zero, Generate, Zero, Zero, 0, 160, {}};
}  // namespace

extern "C" {
VQ_EXPORT ModuleLinkage Linkage = {19, Nothing, Nothing, 0, 0, 0, &Header};
VQ_EXPORT ModuleImports ImportTable = {15, nullptr, 0, 0};

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char kind[16] = "";
    GetEnvironmentVariableA("VQ_PLANTED_LEAK", kind, sizeof kind);
    if (!std::strcmp(kind, "tls")) {
        TlsAlloc();
    } else if (!std::strcmp(kind, "heap")) {
        HeapAlloc(GetProcessHeap(), 0, 64 * 1024);
    } else if (!std::strcmp(kind, "thread")) {
        // The thread runs Sleep(INFINITE) in KERNEL32, so it outlives this file.
        auto sleep = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(&Sleep));
        HANDLE thread = CreateThread(nullptr, 0, sleep, reinterpret_cast<void*>(INFINITE), 0, nullptr);
        if (thread) CloseHandle(thread);
    }
    return TRUE;
}
}
