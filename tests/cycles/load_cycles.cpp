// Loads and unloads a gauge file 100 times in this one process, as the host
// does with every aircraft change, and checks that the cycles leave nothing
// behind: no TLS index, no thread, no memory that grows with their number.
//
//   load_cycles [GAUGE_FILE]      (default: this build's VQgauge.gau)
//
// Prints one line per measure, before and after; exits 1 when one grew.
#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "host/module_file.h"
#include "host/panel_host.h"
#include "tests/test_support.h"

namespace {

enum Area { Next = 2, Switch = 4 };

// One full cycle: load, module init, install, switch on (loads the report),
// frames, a step, switch off (saves it), kill, module deinit, unload.
bool Cycle(const std::string& path) {
    host::ModuleFile module;
    std::string error;
    if (!module.Load(path, error)) {
        std::printf("%s\n", error.c_str());
        return false;
    }
    {
        host::PanelHost host(module.Linkage, module.Imports);
        host.ModuleInit();
        host.Install(0);
        host.SetClock(10, 0, 0.0);
        host.Click(Switch);
        for (int frame = 0; frame < 40; ++frame) host.Frame();
        host.Click(Next);
        host.Frame();
        host.Click(Switch);
        host.Kill();
        host.ModuleDeinit();
    }
    module.Unload();
    return true;
}

// The lowest free TLS index: a leaked index makes it climb.
DWORD FreeTlsIndex() {
    DWORD index = TlsAlloc();
    TlsFree(index);
    return index;
}

unsigned long ThreadCount() {
    unsigned long count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    }
    CloseHandle(snapshot);
    return count;
}

// Committed private pages (heaps, stacks, VirtualAlloc) plus the busy bytes of
// every heap of the process, so that a leak smaller than a page shows too.
unsigned long long MemoryInUse() {
    unsigned long long bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    }
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

bool Report(const char* measure, unsigned long long before, unsigned long long after, unsigned long long slack) {
    bool grew = after > before + slack;
    std::printf("%-8s before %12llu  after %12llu%s\n", measure, before, after, grew ? "  GREW" : "");
    return !grew;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path =
        argc > 1 ? std::filesystem::absolute(argv[1]).string() : vqtest::GaugeModulePath();
    vqtest::ScratchDirectory scratch;  // the gauge's report file lives here
    vqtest::WriteFile("tolvanix.rec", vqtest::CrLfLines(vqtest::NumberedReportLines(3)));
    constexpr int Cycles = 100, WarmUp = 5;

    const DWORD tlsBefore = FreeTlsIndex();
    const unsigned long threadsBefore = ThreadCount();
    unsigned long long memoryBefore = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        if (cycle == WarmUp) memoryBefore = MemoryInUse();
        if (!Cycle(path)) return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const unsigned long long memoryAfter = MemoryInUse();
    std::printf("%d load/unload cycles of %s in %.1f s\n", Cycles, path.c_str(), seconds);

    bool same = Report("tls", tlsBefore, FreeTlsIndex(), 0);
    same &= Report("threads", threadsBefore, ThreadCount(), 0);
    // Memory over the 95 cycles after the warm-up: 64 KiB takes in what the
    // heaps and the loader may still settle once (a heap segment grown, a few
    // pages of loader records), while a leak of more than 690 bytes per cycle
    // goes over it (4 KiB of heap per cycle shows as about 780 KiB: heap bytes
    // count once as busy and once in the heap's committed pages).
    same &= Report("memory", memoryBefore, memoryAfter, 64 * 1024);
    std::printf("%s\n", same ? "nothing grew" : "FAILED: a load/unload cycle leaves something behind");
    return same ? 0 : 1;
}
