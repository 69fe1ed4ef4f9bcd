// The gauge state: five module-wide numbers shared by the commands, the
// display and the report loader. All 0 when the module is loaded.
#pragma once

#include <cstdint>

extern std::int32_t Active;           // 1 while the instrument is switched on
extern std::int32_t CurrentChkPoint;  // index of the checkpoint shown and worked on
extern std::int32_t GreetingTicks;    // builds of line 1 since the last switch-off, up to 30
extern std::int32_t AltPage;          // 1 while the alternate page is shown
extern std::int32_t AtChkPoint;       // 1 from arrival at the current checkpoint until leaving it
