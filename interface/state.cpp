#include "interface/state.h"

#include "interface/fpu.h"

std::int32_t Active = 0;
std::int32_t CurrentChkPoint = 0;
std::int32_t GreetingTicks = 0;
std::int32_t AltPage = 0;
std::int32_t AtChkPoint = 0;

std::uint16_t HostControlWord = ModuleControlWord;
