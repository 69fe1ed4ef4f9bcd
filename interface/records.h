// The module's records that the host reads: Linkage, ImportTable, the gauge
// header and the host-variable record. Each is laid out word for word as the
// host expects it; the static_asserts below prove every size and offset.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/abi.h"

struct ImageElement;

#pragma pack(push, 4)

// The host's record for one simulator variable.
struct HostVariable {
    std::uint32_t Token;        // the number by which the host knows the variable
    std::uint32_t HostOwned4;
    std::uint32_t HostOwned8;
    double Value;               // valid after the host has refreshed the record
    std::uint32_t HostOwned20;
    std::uint32_t HostOwned24;
};

using ModuleRoutine = void(VQ_STDCALL*)();
using GaugeRoutine = std::uint32_t(VQ_STDCALL*)();
using InstallRoutine = void(VQ_STDCALL*)(std::uint32_t);
using GenerateRoutine = std::uint32_t(VQ_STDCALL*)(std::uint32_t);

// The gauge header: the module's one gauge and its routines.
struct GaugeHeader {
    std::uint32_t Version;             // 610
    const char* Name;                  // "VQgauge"
    ImageElement* const* ElementList;  // the slot holding the top element
    GaugeRoutine Query;
    InstallRoutine Install;
    GaugeRoutine Initialize;
    GaugeRoutine Update;
    GenerateRoutine Generate;
    GaugeRoutine Draw;
    GaugeRoutine Kill;
    std::uint32_t Reserved10;
    std::uint32_t SizeValue;           // 160
    std::uint32_t Reserved12[9];
};

// The exported Linkage record: how the host finds the module's gauge.
struct ModuleLinkage {
    std::uint32_t Version;  // 19
    ModuleRoutine ModuleInit;
    ModuleRoutine ModuleDeinit;
    std::uint32_t Reserved3;
    std::uint32_t Reserved4;
    std::uint32_t Reserved5;
    GaugeHeader* Gauge;
};

// The exported ImportTable record: the host stores its service table here.
struct ModuleImports {
    std::uint32_t Version;  // 15
    void* const* Services;  // the host's table of routine addresses
    std::uint32_t Reserved2;
    std::uint32_t Reserved3;
};

#pragma pack(pop)

static_assert(sizeof(HostVariable) == 28);
static_assert(offsetof(HostVariable, Token) == 0);
static_assert(offsetof(HostVariable, Value) == 12);
static_assert(offsetof(HostVariable, HostOwned20) == 20);

static_assert(sizeof(GaugeHeader) == 21 * 4);
static_assert(offsetof(GaugeHeader, Name) == 1 * 4);
static_assert(offsetof(GaugeHeader, ElementList) == 2 * 4);
static_assert(offsetof(GaugeHeader, Query) == 3 * 4);
static_assert(offsetof(GaugeHeader, Install) == 4 * 4);
static_assert(offsetof(GaugeHeader, Initialize) == 5 * 4);
static_assert(offsetof(GaugeHeader, Update) == 6 * 4);
static_assert(offsetof(GaugeHeader, Generate) == 7 * 4);
static_assert(offsetof(GaugeHeader, Draw) == 8 * 4);
static_assert(offsetof(GaugeHeader, Kill) == 9 * 4);
static_assert(offsetof(GaugeHeader, SizeValue) == 11 * 4);
static_assert(offsetof(GaugeHeader, Reserved12) == 12 * 4);

static_assert(sizeof(ModuleLinkage) == 7 * 4);
static_assert(offsetof(ModuleLinkage, ModuleInit) == 1 * 4);
static_assert(offsetof(ModuleLinkage, ModuleDeinit) == 2 * 4);
static_assert(offsetof(ModuleLinkage, Gauge) == 6 * 4);

static_assert(sizeof(ModuleImports) == 4 * 4);
static_assert(offsetof(ModuleImports, Services) == 1 * 4);

// The module's records: Linkage and the gauge header are the gauge's own
// (gauge/gauge.cpp); ImportTable, where the host stores its service table,
// belongs with the calls into that table (interface/host_services.cpp).
extern "C" {
// Exported as "Linkage" and "_Linkage" (one record), "ImportTable" and
// "_ImportTable" (one record).
extern ModuleLinkage Linkage;
extern ModuleImports ImportTable;
}
extern GaugeHeader GaugeHeaderRecord;
