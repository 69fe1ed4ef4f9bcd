// Report files as Windows text mode sees them, on every build.
//
// Reading: a line ends at LF; a CR right before the LF belongs to the line end.
// Every other byte, Ctrl-Z and NUL included, is part of the line (a Ctrl-Z must
// not end the file, or the fields after it would be lost). Writing: every line
// ends in CR LF. Files are opened in binary mode so that both builds read and
// write the same bytes.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Reads a file line by line, never holding more than one line.
class TextFileReader {
public:
    explicit TextFileReader(std::FILE* file) : File(file) {}

    // Reads the next line into `line` (without its line end). Keeps at most
    // `maxChars` characters; the rest of a longer line is skipped, so the next
    // call starts at the next line, and `WasCut()` becomes true. Returns false,
    // with `line` empty, when the file has no further line.
    bool ReadLine(std::string& line, std::size_t maxChars);

    // True once some line has been cut by ReadLine.
    bool WasCut() const { return Cut; }
    // True once ReadLine has met the end of the file (or a read error).
    bool AtEnd() const { return Ended; }
    // Skips blank lines and reports whether anything else is left in the file.
    bool HasMoreContent();

private:
    std::FILE* File;
    bool Cut = false;
    bool Ended = false;
};

// Writes lines that end in CR LF and remembers whether any write failed.
class TextFileWriter {
public:
    explicit TextFileWriter(std::FILE* file) : File(file) {}

    void WriteLine(const std::string& text);
    void WriteLine(const char* text);
    bool Failed() const { return Bad; }

private:
    std::FILE* File;
    bool Bad = false;
    std::string Line;  // the line and its end, written at once
};

// Test-only failures of the writing operations below, as a full or failing
// disk gives them. The module never sets the rule; while it is null every
// operation goes straight to the system. A rule answers, for an operation
// about to run, how much of it may happen: for Write how many of `size` bytes
// reach the file (fewer fails the write part-way), for the others 0 to fail.
enum class FileOperation { Create, Write, Flush, Move };
using FileFaultRule = std::size_t (*)(FileOperation operation, std::size_t size);
extern FileFaultRule InjectedFileFault;

std::FILE* OpenForReading(const char* path);
// Creates or truncates the file for writing.
std::FILE* OpenForWriting(const char* path);
// Flushes the library's buffer and asks the system to put the file on disk.
bool FlushToDisk(std::FILE* file);

bool FileExists(const char* path);
bool RemoveFile(const char* path);
// Copies `from` to `to`; fails (and writes nothing) when `to` already exists.
bool CopyNewFile(const char* from, const char* to);

// Puts the complete file `temp` in place of `target`, so that at every moment
// a complete file exists: `target` (old or new), or during the fallback below
// `backup` holding the old one. Where the system has an atomic replace
// (rename on POSIX, MoveFileEx on Windows NT) it is used; where it has none
// (Windows 95 and 98), or when `allowAtomic` is false (tests of that path), `target` is first moved
// to `backup`, then `temp` to `target`, then `backup` removed. On failure the
// old `target` is left as it was (or moved back from `backup`).
bool ReplaceFileSafely(const char* temp, const char* target, const char* backup,
                       bool allowAtomic = true);

}  // namespace platform
