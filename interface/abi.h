// The binary conventions the host and the module share: 32-bit addresses,
// stdcall routines (the callee removes its arguments) and records packed on
// 4-byte boundaries as the host lays them out.
#pragma once

#include <cstdint>

static_assert(sizeof(void*) == 4, "the host's records hold 32-bit addresses: build for i386");

#define VQ_STDCALL __attribute__((stdcall))

#if defined(_WIN32)
#define VQ_EXPORT __declspec(dllexport)
#else
#define VQ_EXPORT __attribute__((visibility("default")))
#endif
