// The instrument's mouse areas and the pilot's commands behind them.
#pragma once

#include <cstdint>

#include "interface/mouse_area.h"
#include "persistence/report_store.h"

constexpr int MouseAreaCount = 11;
extern MouseArea MouseAreaList[MouseAreaCount];

// Where the gauge starts after a load (install, switching on): at the first
// checkpoint of a report loaded, after the last arrival of a flight taken up;
// where it was when nothing was loaded.
void StartFromLoad(LoadOutcome outcome);

// The commands: each returns 1 to the host whatever it did.
std::uint32_t VQ_STDCALL NextChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL PrevChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL SwitchOnOff(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL StoreFuelOnBoard(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL ComputeFuelSummary(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL MarkChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL ToggleAltPage(std::uint32_t, std::uint32_t);
