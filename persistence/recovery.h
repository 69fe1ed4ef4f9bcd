// The recovery file: the flight between saves. A complete report written
// beside the report file whenever the report in memory gains something no
// save has written yet (a stamped checkpoint, the fuel stored, the fuel
// figures), so that a crash loses no more than what it interrupted. The next
// load takes it up (persistence/start.h); a save that wrote everything it
// holds removes it. While it holds something that neither the report file nor
// the report in memory holds, it is never overwritten or removed: it is set
// aside as tolvanix-recovery-N.rec first.
//
// Whether it may be overwritten is worked out at the load and the save, from
// what the files hold, and kept here, so that the frame that stamps a
// checkpoint writes the file and reads none.
#pragma once

#include "persistence/start.h"
#include "report/report_digest.h"

// After a load acted on `plan` (taken up, set aside, removed or none).
// `recovery` is what the file now under the recovery file's name holds, when
// `present`.
void RecoveryAfterLoad(bool present, const ReportDigest& recovery);

// Writes the report in memory (whose digest is `memory`) to the recovery
// file, the crash-safe way. The file there is first set aside when it holds a
// figure that neither `reportFile` (the report file as last read or written)
// nor `memory` holds, or its content is not known; if that fails, nothing is
// written.
void WriteRecoveryFile(const ReportDigest& reportFile, const ReportDigest& memory);

// After a save wrote `written` to the report file: the recovery file is read
// and removed when the save wrote everything it holds, else set aside.
void RecoveryAfterSave(const ReportDigest& written);

// Moves the recovery file aside as the first free tolvanix-recovery-N.rec;
// true when nothing is left under its name (a directory or a link there is
// left alone: false).
bool SetRecoveryFileAside();

// Forgets what the module knows of the recovery file (tests start clean).
void ResetRecoveryState();
