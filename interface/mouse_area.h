// The record of one mouse area, as the host reads the list of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/abi.h"

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
