// The instrument's mouse areas and the pilot's commands behind them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gauge/abi.h"

using MouseCallback = std::uint32_t(VQ_STDCALL*)(std::uint32_t, std::uint32_t);

#pragma pack(push, 4)

// One record of the mouse-area list, as the host reads it.
struct MouseArea {
    std::uint32_t Kind;        // 1 first record, 2 an area, 3 after the last area, 0 last record
    std::int32_t X;            // in the gauge's pixels
    std::int32_t Y;
    std::int32_t Width;
    std::int32_t Height;
    std::uint32_t Cursor;      // the host's cursor code
    std::uint32_t Zero24;
    std::uint32_t EventFlags;  // which clicks call the callback
    std::uint32_t WholeArea;   // 65536 in the whole-instrument area
    MouseCallback Callback;
    std::uint32_t Zero40;
};

#pragma pack(pop)

static_assert(sizeof(MouseArea) == 44);
static_assert(offsetof(MouseArea, X) == 4);
static_assert(offsetof(MouseArea, Y) == 8);
static_assert(offsetof(MouseArea, Width) == 12);
static_assert(offsetof(MouseArea, Height) == 16);
static_assert(offsetof(MouseArea, Cursor) == 20);
static_assert(offsetof(MouseArea, Zero24) == 24);
static_assert(offsetof(MouseArea, EventFlags) == 28);
static_assert(offsetof(MouseArea, WholeArea) == 32);
static_assert(offsetof(MouseArea, Callback) == 36);
static_assert(offsetof(MouseArea, Zero40) == 40);

constexpr int MouseAreaCount = 11;
extern MouseArea MouseAreaList[MouseAreaCount];

// The commands: each returns 1 to the host whatever it did.
std::uint32_t VQ_STDCALL NextChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL PrevChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL SwitchOnOff(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL StoreFuelOnBoard(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL ComputeFuelSummary(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL MarkChkPoint(std::uint32_t, std::uint32_t);
std::uint32_t VQ_STDCALL ToggleAltPage(std::uint32_t, std::uint32_t);
