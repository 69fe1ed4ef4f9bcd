// The recovery file: a complete report written beside the report file after
// every event that changes the report while the instrument is on (a stamped
// checkpoint, the fuel on board stored), so that a simulator crash loses no
// more than the checkpoint not yet reached. A normal save removes it again;
// one still there when the gauge comes up means the last flight ended
// without a save. The module never reads it: the pilot restores it.
#pragma once

// "tolvanix-recovery.rec" in the current directory.
extern const char* const RecoveryFileName;

// Writes the report in memory to the recovery file, the crash-safe way. A
// recovery file this module did not write since it was loaded is first moved
// aside as "tolvanix-recovery-N.rec" (the first free N); if that fails,
// nothing is written.
void WriteRecoveryFile();

// Called after the report file has been written whole: removes the recovery
// file if this module wrote it (the report file now holds all it held).
void RecoveryNoLongerNeeded();

// Forgets that this module wrote the recovery file (tests start clean).
void ResetRecoveryState();
