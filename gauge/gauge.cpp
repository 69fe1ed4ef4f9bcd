#include "gauge/gauge.h"

#include "display/elements.h"
#include "gauge/mouse.h"
#include "interface/fpu.h"
#include "interface/host_services.h"
#include "interface/state.h"
#include "interface/variables.h"
#include "persistence/report_store.h"
#include "platform/regional.h"
#include "report/report_file.h"

namespace {

// Every routine reads the slot afresh.
ImageElement* TopElement() { return ElementListSlot; }

}  // namespace

ImageElement* ElementListSlot = &BackgroundElement;

GaugeHeader GaugeHeaderRecord = {
    610,
    "VQgauge",
    &ElementListSlot,
    GaugeQuery,
    GaugeInstall,
    GaugeInitialize,
    GaugeUpdate,
    GaugeGenerate,
    GaugeDraw,
    GaugeKill,
    0,
    160,
    {},
};

extern "C" {

VQ_EXPORT ModuleLinkage Linkage = {19, ModuleInit, ModuleDeinit, 0, 0, 0, &GaugeHeaderRecord};

#ifndef _WIN32
// The same records under their second names (the Windows build names them in its .def file).
VQ_EXPORT extern ModuleLinkage _Linkage __attribute__((alias("Linkage")));
#endif
}

// Nothing to do at module init and deinit: the report and the gauge state
// are built when the file is loaded.
void VQ_STDCALL ModuleInit() { HostFloatingPointScope scope; }

void VQ_STDCALL ModuleDeinit() { HostFloatingPointScope scope; }

std::uint32_t VQ_STDCALL GaugeQuery() {
    HostFloatingPointScope scope;
    return HostQueryElements(TopElement());
}

void VQ_STDCALL GaugeInstall(std::uint32_t argument) {
    HostFloatingPointScope scope;
    ImageElement* top = TopElement();
    HostInstallElements(top, argument);
    const std::uint32_t hostRecord =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(BackgroundElement.HostRecord));
    HostPrepareMouseAreas(MouseAreaList, &GaugeHeaderRecord, hostRecord + 4);
    HostInstallMouseAreas(MouseAreaList, &GaugeHeaderRecord);
    for (HostVariable* variable : GaugeVariables) HostRegisterVariable(variable);
    Active = 0;
    AltPage = 0;
    AtChkPoint = 0;
    CurrentChkPoint = 0;
    StartFromLoad(LoadReport());  // at the first checkpoint, unless a flight is taken up
    platform::FixTimeSeparator();
}

std::uint32_t VQ_STDCALL GaugeInitialize() {
    HostFloatingPointScope scope;
    return HostInitializeElements(TopElement());
}

std::uint32_t VQ_STDCALL GaugeUpdate() {
    HostFloatingPointScope scope;
    return HostUpdateElements(TopElement());
}

std::uint32_t VQ_STDCALL GaugeGenerate(std::uint32_t argument) {
    HostFloatingPointScope scope;
    return HostGenerateElements(TopElement(), static_cast<std::uint8_t>(argument & 0xFF));
}

std::uint32_t VQ_STDCALL GaugeDraw() {
    HostFloatingPointScope scope;
    return HostDrawElements(TopElement());
}

std::uint32_t VQ_STDCALL GaugeKill() {
    HostFloatingPointScope scope;
    Active = 0;
    AltPage = 0;
    SaveReport();
    HostRemoveMouseAreas(MouseAreaList, &GaugeHeaderRecord);
    return HostReleaseElements(TopElement());
}
