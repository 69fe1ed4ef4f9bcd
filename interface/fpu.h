// The x87 state belongs to the host. The simulator draws with Direct3D,
// which leaves the x87 in single precision for the whole process, and other
// hosts leave other rounding and exception masks. So every routine and
// callback the host calls opens a HostFloatingPointScope first: it saves the
// host's control word and works with the module's own (53-bit precision,
// round to nearest, all exceptions masked); when it closes, on every way out,
// it clears the exception flags the module raised (so none is pending under
// a word that unmasks it) and loads the host's word again. fldenv is not used:
// it would also empty the register that carries a text callback's result.
//
// While the module calls into the host (a service entry), the host's own word
// is in force again: HostCallScope.
#pragma once

#include <cstdint>

// 53-bit precision, round to nearest, all six exceptions masked.
constexpr std::uint16_t ModuleControlWord = 0x027F;
// The six exception flags of the status word and the six mask bits of the
// control word share their bit positions.
constexpr std::uint16_t X87ExceptionBits = 0x3F;

// The host's word of the innermost open HostFloatingPointScope (the module's
// own word when none is open, as in the tests).
extern std::uint16_t HostControlWord;

inline std::uint16_t StoreControlWord() {
    std::uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

inline void LoadControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word) : "memory"); }

inline std::uint16_t StoreStatusWord() {
    std::uint16_t word;
    asm volatile("fnstsw %0" : "=am"(word) : : "memory");
    return word;
}

// Only the non-waiting forms are used here, so that touching the state never
// raises an exception that a flag left under an unmasked word holds pending.
inline void ClearExceptionFlags() { asm volatile("fnclex" : : : "memory"); }

class HostFloatingPointScope {
public:
    HostFloatingPointScope() : HostWord(StoreControlWord()), OuterHostWord(HostControlWord) {
        HostControlWord = HostWord;
        LoadControlWord(ModuleControlWord);
    }
    ~HostFloatingPointScope() {
        HostControlWord = OuterHostWord;
        ClearExceptionFlags();
        LoadControlWord(HostWord);
    }
    HostFloatingPointScope(const HostFloatingPointScope&) = delete;
    HostFloatingPointScope& operator=(const HostFloatingPointScope&) = delete;

private:
    std::uint16_t HostWord;
    std::uint16_t OuterHostWord;
};

class HostCallScope {
public:
    HostCallScope() {
        ClearExceptionFlags();
        LoadControlWord(HostControlWord);
    }
    ~HostCallScope() { LoadControlWord(ModuleControlWord); }
    HostCallScope(const HostCallScope&) = delete;
    HostCallScope& operator=(const HostCallScope&) = delete;
};
