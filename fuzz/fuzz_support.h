// What the fuzz targets share: a private scratch directory, whole-file
// access, and a check that stops the run with a message when an invariant
// fails. The report target's host is the tests' host double, host::PanelHost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vqfuzz {

// Makes a fresh directory under $TMPDIR (or /tmp) and changes into it (once).
void EnterScratchDirectory();
// Removes every file in the current (scratch) directory.
void ClearScratchDirectory();

std::string ReadFile(const char* path);
void WriteFile(const char* path, const std::uint8_t* data, std::size_t size);
bool Exists(const char* path);

// The report in memory as its file holds it: every text, and every number
// as the writer writes it (six decimals, non-finite as 0).
std::string DescribeStoredReport();

// `value` as the report writer writes numbers (platform::FormatFixed).
std::string Fixed(double value, int decimals);

// Aborts with `what` when `condition` is false (libFuzzer keeps the input).
void Check(bool condition, const char* what);

}  // namespace vqfuzz
