// The module's exported records and the gauge's routines.
#pragma once

#include <cstdint>

#include "interface/records.h"

// The element-list slot: the top element of the face.
extern ImageElement* ElementListSlot;

void VQ_STDCALL ModuleInit();
void VQ_STDCALL ModuleDeinit();
std::uint32_t VQ_STDCALL GaugeQuery();
void VQ_STDCALL GaugeInstall(std::uint32_t argument);
std::uint32_t VQ_STDCALL GaugeInitialize();
std::uint32_t VQ_STDCALL GaugeUpdate();
std::uint32_t VQ_STDCALL GaugeGenerate(std::uint32_t argument);
std::uint32_t VQ_STDCALL GaugeDraw();
std::uint32_t VQ_STDCALL GaugeKill();
