// The x87 control and status words, read and loaded by the instructions
// themselves. The host owns the floating-point state: a host that calls into
// the module with its own control word checks with these that the module
// handed it back, and the test programs load the module's word with them.
// Only the non-waiting forms are used, so that reading the state never
// raises an exception that a flag set under an unmasked word has left pending.
#pragma once

#include <cstdint>

namespace host::x87 {

// The module's own word: 53-bit precision, round to nearest, all exceptions masked.
constexpr std::uint16_t ModuleControlWord = 0x027F;
// The six exception flags of the status word and the six mask bits of the
// control word share their bit positions.
constexpr std::uint16_t ExceptionBits = 0x3F;

inline std::uint16_t ControlWord() {
    std::uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

inline void LoadControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word) : "memory"); }

inline std::uint16_t StatusWord() {
    std::uint16_t word;
    asm volatile("fnstsw %0" : "=am"(word) : : "memory");
    return word;
}

inline void ClearExceptions() { asm volatile("fnclex" : : : "memory"); }

}  // namespace host::x87
