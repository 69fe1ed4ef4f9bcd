#include "interface/host_services.h"

#include "interface/fpu.h"

extern "C" {
VQ_EXPORT ModuleImports ImportTable = {15, nullptr, 0, 0};
#ifndef _WIN32
// The record's second name (the Windows build names it in its .def file).
VQ_EXPORT extern ModuleImports _ImportTable __attribute__((alias("ImportTable")));
#endif
}

namespace {

// The entry's address, or null when the host has stored no table.
void* Entry(int index) {
    void* const* table = ImportTable.Services;
    return table ? table[index] : nullptr;
}

template <typename... Args>
std::uint32_t Call(int index, Args... args) {
    using Routine = std::uint32_t(VQ_STDCALL*)(Args...);
    void* address = Entry(index);
    if (!address) return 0;
    HostCallScope hostWord;
    return reinterpret_cast<Routine>(address)(args...);
}

std::uint32_t Word(const void* address) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address));
}

}  // namespace

std::uint32_t HostQueryElements(ImageElement* top) { return Call(QueryElementsEntry, Word(top)); }

std::uint32_t HostInstallElements(ImageElement* top, std::uint32_t argument) {
    return Call(InstallElementsEntry, Word(top), argument);
}

std::uint32_t HostInitializeElements(ImageElement* top) { return Call(InitializeElementsEntry, Word(top)); }

std::uint32_t HostUpdateElements(ImageElement* top) { return Call(UpdateElementsEntry, Word(top)); }

std::uint32_t HostGenerateElements(ImageElement* top, std::uint8_t value) {
    return Call(GenerateElementsEntry, Word(top), static_cast<std::uint32_t>(value));
}

std::uint32_t HostDrawElements(ImageElement* top) { return Call(DrawElementsEntry, Word(top)); }

std::uint32_t HostReleaseElements(ImageElement* top) { return Call(ReleaseElementsEntry, Word(top)); }

std::uint32_t HostPrepareMouseAreas(MouseArea* areas, GaugeHeader* header, std::uint32_t hostRecordPlus4) {
    return Call(PrepareMouseAreasEntry, Word(areas), Word(header), hostRecordPlus4);
}

std::uint32_t HostInstallMouseAreas(MouseArea* areas, GaugeHeader* header) {
    return Call(InstallMouseAreasEntry, Word(areas), Word(header));
}

std::uint32_t HostRemoveMouseAreas(MouseArea* areas, GaugeHeader* header) {
    return Call(RemoveMouseAreasEntry, Word(areas), Word(header));
}

std::uint32_t HostRegisterVariable(HostVariable* variable) { return Call(RegisterVariableEntry, Word(variable)); }

std::uint32_t HostRefreshVariable(HostVariable* variable) { return Call(RefreshVariableEntry, Word(variable)); }
