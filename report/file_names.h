// The names of the files the gauge keeps in the simulator's folder, and of
// the files its tools leave beside them: the one place where they are
// written. The gauge works in the current directory; the tools put a folder
// in front of the bare names.
#pragma once

// The report file, read at install and switch-on, written by every save.
inline constexpr const char* ReportName = "tolvanix.rec";
// The flight between saves: a complete report written at every gain of the
// report in memory that no save has written yet.
inline constexpr const char* RecoveryName = "tolvanix-recovery.rec";
// An earlier recovery file set aside, never overwritten: "<prefix>N.rec", N from 1.
inline constexpr const char* SetAsideRecoveryPrefix = "tolvanix-recovery-";
// A report file (or a save's leftover) kept before a save replaced it.
inline constexpr const char* KeptPrefix = "tolvanix-kept-";
// The report file as vqreport recover --restore found it.
inline constexpr const char* BeforeRecoverPrefix = "tolvanix-before-recover-";
// Every numbered name ends so.
inline constexpr const char* NumberedNameEnding = ".rec";
// Beside a file being replaced: the new file while it is written
// ("tolvanix.rec.new", then ".new1" to ".new9" when the name is taken), and
// the old one where a replace moves it (".old").
inline constexpr const char* TemporaryEnding = ".new";
inline constexpr const char* BackupEnding = ".old";

// The gauge's own paths in the current directory: ".\tolvanix.rec" on
// Windows, as the host's folder is named there.
#ifdef _WIN32
inline constexpr const char* ReportFileName = ".\\tolvanix.rec";
inline constexpr const char* RecoveryFileName = ".\\tolvanix-recovery.rec";
#else
inline constexpr const char* ReportFileName = "tolvanix.rec";
inline constexpr const char* RecoveryFileName = "tolvanix-recovery.rec";
#endif
