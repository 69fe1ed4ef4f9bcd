// The module's state as right after its file is loaded, for the programs that
// run the module's code in their own process and use it again and again: the
// tests, the fuzz targets and vqreport. The gauge itself never calls it: the
// loader builds that state.
#pragma once

// Empties the report (header, list fields and all 100 slots, not only the
// count), sets the gauge state to 0, forgets the kept copy a load asked for
// and the recovery file this module wrote, and goes back to the user's
// regional settings.
void ResetModuleState();
