// Report files as Windows text mode sees them, on every build, straight on
// the system's file calls (the gauge file links no C library).
//
// Reading: a line ends at LF; a CR right before the LF belongs to the line end.
// Every other byte, Ctrl-Z and NUL included, is part of the line (a Ctrl-Z must
// not end the file, or the fields after it would be lost). Writing: every line
// ends in CR LF. Both builds read and write the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/fixed_text.h"

namespace platform {

// What a file held, for telling whether it changed: whether it was there, its
// length and two independent 64-bit hashes of its bytes (multiply-xorshift
// over 64-bit words, with other constants), so that an edit that keeps the
// length is still seen.
// Known is false when the file could not be read whole.
struct FileFingerprint {
    bool Known = true;
    bool Present = false;
    std::uint64_t Length = 0, HashA = 0xcbf29ce484222325ull, HashB = 0x84222325cbf29ce4ull;
    std::uint64_t Word = 0;
    void Add(const void* data, std::size_t size);
    bool Same(const FileFingerprint& other) const;
};

// When a file was last written, in the system's own units (nanoseconds on
// POSIX, 100 ns on Windows; FAT keeps it to 2 seconds): only compared with
// another of the same system. 0 when unknown.
using FileTime = std::uint64_t;

// An open file of the system; closed when the object goes.
class File {
public:
    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens a regular file for reading, without waiting: a pipe, a device or
    // a folder under the name is not opened (false), as if it could not be
    // read, so that no read can block.
    bool OpenForReading(const char* path);
    // Creates `path` as a new file for writing: fails when anything (a file,
    // a directory, a link) is under that name already; no link is followed.
    bool CreateNew(const char* path);
    bool IsOpen() const;
    // Reads up to `size` bytes: the count read, 0 at the end, -1 on an error.
    std::int32_t Read(void* data, std::size_t size);
    // Writes all `size` bytes, or fails.
    bool Write(const void* data, std::size_t size);
    // Asks the system to put what was written on the disk.
    bool FlushToDisk();
    // When the open file was last written.
    FileTime WriteTime() const;
    // False when closing failed (the last writes may be lost).
    bool Close();

private:
#ifdef _WIN32
    void* Handle = reinterpret_cast<void*>(-1);
#else
    int Descriptor = -1;
#endif
    const char* Name = nullptr;  // the path it was created under, for the test build's log
};

// Reads a file line by line through a small buffer of its own.
class TextFileReader {
public:
    explicit TextFileReader(File& file) : In(file) {}

    // Reads the next line (without its line end) into `line`, which holds
    // `maxChars` characters and a zero, and sets `length`. The rest of a
    // longer line is skipped, so the next call starts at the next line, and
    // `WasCut()` becomes true. Returns false, with `line` empty, when the file
    // has no further line.
    bool ReadLine(char* line, std::size_t maxChars, std::size_t& length);

    // True once some line has been cut by ReadLine.
    bool WasCut() const { return Cut; }
    // True once ReadLine has met the end of the file (or a read error).
    bool AtEnd() const { return Ended; }
    // True once reading failed (not the end of the file: an error of the disk).
    bool Failed() const { return ReadError; }
    // Skips blank lines and reports whether anything else is left in the file.
    bool HasMoreContent();
    // Reads the rest of the file; the fingerprint of all the bytes read.
    FileFingerprint ReadToEnd();

private:
    int NextByte();

    FileFingerprint Read;
    File& In;
    unsigned char Buffer[1024];
    std::size_t Position = 0;
    std::size_t Filled = 0;
    bool Cut = false;
    bool Ended = false;
    bool ReadError = false;
};

// Writes lines that end in CR LF through a buffer and remembers whether any
// write failed. Finish writes out what is buffered.
class TextFileWriter {
public:
    explicit TextFileWriter(File& file) : Out(file) {}

    void WriteLine(const char* text, std::size_t length);
    void WriteLine(const char* text);
    template <typename Text>
    void WriteLine(const Text& text) {
        WriteLine(text.data(), text.size());
    }
    // Writes out the buffer; false if this or any earlier write failed.
    bool Finish();
    bool Failed() const { return Bad; }
    // The fingerprint of every byte written so far.
    const FileFingerprint& Written() const { return Print; }

private:
    void Put(const char* data, std::size_t size);

    File& Out;
    char Buffer[2048];
    std::size_t Used = 0;
    bool Bad = false;
    FileFingerprint Print;
};

// The operations below that change the disk, each of which a test build of
// this file can make fail or stop at; Exchange, Link and SystemReplace are
// steps the system may not offer (a file system that refuses a swap or hard
// links, a Windows without ReplaceFileA). Open, a file opened for reading,
// is only seen, never failed.
enum class FileOperation { Create, Write, Flush, Move, Remove, SyncFolder, Exchange, Link, SystemReplace, Open };

#ifdef VQ_FILE_FAULTS
// Failures of those operations, as a full or failing disk gives them, in the
// test build of this file only (VQ_FILE_FAULTS, which the fault tests link;
// the gauge file, the tools and the other tests have no such hook). While the
// rule is null every operation goes straight to the system. A rule sees each
// operation about to run, with the path it works on (and the second path of a
// move, swap or link), and answers how much of it may happen: for Write how
// many of `size` bytes reach the file (fewer fails the write part-way), for
// Exchange, Link and SystemReplace 0 for "not offered", for the others 0 to
// fail. A rule may also end the process there, as a crash would.
using FileFaultRule = std::size_t (*)(FileOperation operation, std::size_t size, const char* path,
                                      const char* other);
extern FileFaultRule InjectedFileFault;
#endif

bool FileExists(const char* path);
// What is under the name `path` itself (a link is not followed): nothing, a
// plain file, or something else (a directory, a link, a device).
enum class NameKind { Free, PlainFile, Other };
NameKind KindOfName(const char* path);
// What `path` leads to, a link followed: nothing (or a link to nothing), a
// regular file, or something else (a directory, a pipe, a device).
NameKind KindOfFile(const char* path);
// When the regular file `path` was last written; 0 when there is none.
FileTime WriteTimeOf(const char* path);

// Reads `path` once through a small buffer: what it holds now. A name that is
// there but not a regular file, or not readable, is Present and not Known.
FileFingerprint FingerprintOf(const char* path);
// True when `path` is a file marked read-only: the read-only attribute on
// Windows, no write bit at all on POSIX (the mark, not whether a write would
// succeed: a privileged user writes anyway).
bool IsReadOnlyFile(const char* path);
bool RemoveFile(const char* path);
// Renames `from` to `to`, which must be free: it never replaces anything.
bool RenameFile(const char* from, const char* to);
// Copies `from` to `to`; fails (and writes nothing) when `to` already exists.
bool CopyNewFile(const char* from, const char* to);

// The system's reason for the last failed call: errno, or GetLastError on
// Windows. The operations here that clean up after a failure keep the reason
// of the step that failed, so that their caller can still tell why.
std::uint32_t LastSystemError();
void SetLastSystemError(std::uint32_t code);

// How a replace went: whether the new file is in place, and where the file it
// replaced is now (empty when there was none), for the caller to compare with
// what it expected there and to remove or keep.
struct Replaced {
    bool Done = false;
    PathText OldAt;
};

// Puts the complete, flushed file `temp` in place of `target`, so that
// whatever was under `target` at that moment is not lost but handed back in
// Replaced::OldAt, and so that a complete file is under `target` (old or new)
// or, on the last route below, under `backup` at every moment. The routes, the
// first the system offers:
//  - no target: a plain move, which never replaces a file that appears;
//  - POSIX: the two names swapped in one step (renameat2 RENAME_EXCHANGE): the
//    old file ends under `temp`;
//  - POSIX where the file system refuses the swap: `backup` made a hard link
//    of `target`, then `temp` renamed over `target`; the old file is `backup`.
//    A file renamed onto `target` between the two steps is replaced unseen;
//  - Windows 2000 and later: ReplaceFileA with `backup` (looked up at run time);
//  - otherwise (Windows NT 4.0, 95 and 98; POSIX without hard links): `target`
//    moved to `backup`, then `temp` to `target` (moved back on failure).
// After the replace the folder is synced on POSIX, and Windows' moves are
// written through where MoveFileEx exists. `backup` must be free: a file
// under that name is never removed, and the replace then fails. On failure
// the old `target` is left as it was (or moved back from `backup`) and `temp`
// stays for the caller to remove.
Replaced ReplaceKeepingOld(const char* temp, const char* target, const char* backup);

}  // namespace platform
