// Calls into the host's table of panel services. The table's address is read
// from ImportTable at every call (the host may move it); each entry is a
// stdcall routine that removes its own arguments. The module never looks at
// a result other than to hand it back to the host.
#pragma once

#include <cstdint>

#include "interface/records.h"

struct ImageElement;
struct MouseArea;

// The entries the module uses, by what they do, with their index in the table.
enum HostServiceEntry : int {
    QueryElementsEntry = 24,        // (top)
    InstallElementsEntry = 25,      // (top, install argument)
    InitializeElementsEntry = 26,   // (top)
    UpdateElementsEntry = 27,       // (top)
    GenerateElementsEntry = 28,     // (top, byte)
    DrawElementsEntry = 29,         // (top)
    ReleaseElementsEntry = 31,      // (top)
    PrepareMouseAreasEntry = 32,    // (mouse list, gauge header, host record + 4)
    InstallMouseAreasEntry = 33,    // (mouse list, gauge header)
    RemoveMouseAreasEntry = 34,     // (mouse list, gauge header)
    RegisterVariableEntry = 38,     // (variable record)
    RefreshVariableEntry = 40,      // (variable record)
};

// Each returns the entry's result, or 0 when the host has given no table.
std::uint32_t HostQueryElements(ImageElement* top);
std::uint32_t HostInstallElements(ImageElement* top, std::uint32_t argument);
std::uint32_t HostInitializeElements(ImageElement* top);
std::uint32_t HostUpdateElements(ImageElement* top);
std::uint32_t HostGenerateElements(ImageElement* top, std::uint8_t value);
std::uint32_t HostDrawElements(ImageElement* top);
std::uint32_t HostReleaseElements(ImageElement* top);
std::uint32_t HostPrepareMouseAreas(MouseArea* areas, GaugeHeader* header, std::uint32_t hostRecordPlus4);
std::uint32_t HostInstallMouseAreas(MouseArea* areas, GaugeHeader* header);
std::uint32_t HostRemoveMouseAreas(MouseArea* areas, GaugeHeader* header);
std::uint32_t HostRegisterVariable(HostVariable* variable);
std::uint32_t HostRefreshVariable(HostVariable* variable);
