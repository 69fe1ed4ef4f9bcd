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

// An open file of the system; closed when the object goes.
class File {
public:
    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

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
    // False when closing failed (the last writes may be lost).
    bool Close();

private:
#ifdef _WIN32
    void* Handle = reinterpret_cast<void*>(-1);
#else
    int Descriptor = -1;
#endif
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

// The writing operations below, each of which a test build of this file can
// make fail.
enum class FileOperation { Create, Write, Flush, Move };

#ifdef VQ_FILE_FAULTS
// Failures of the writing operations, as a full or failing disk gives them,
// in the test build of this file only (VQ_FILE_FAULTS, which the fault tests
// link; the gauge file, the tools and the other tests have no such hook).
// While the rule is null every operation goes straight to the system. A rule
// answers, for an operation about to run, how much of it may happen: for
// Write how many of `size` bytes reach the file (fewer fails the write
// part-way), for the others 0 to fail.
using FileFaultRule = std::size_t (*)(FileOperation operation, std::size_t size);
extern FileFaultRule InjectedFileFault;
#endif

bool FileExists(const char* path);
// What is under the name `path` itself (a link is not followed): nothing, a
// plain file, or something else (a directory, a link, a device).
enum class NameKind { Free, PlainFile, Other };
NameKind KindOfName(const char* path);

// Reads `path` once through a small buffer: what it holds now.
FileFingerprint FingerprintOf(const char* path);
// True when `path` is a file marked read-only: the read-only attribute on
// Windows, no write bit at all on POSIX (the mark, not whether a write would
// succeed: a privileged user writes anyway).
bool IsReadOnlyFile(const char* path);
bool RemoveFile(const char* path);
// Renames `from` to `to`, which must not exist yet.
bool RenameFile(const char* from, const char* to);
// Copies `from` to `to`; fails (and writes nothing) when `to` already exists.
bool CopyNewFile(const char* from, const char* to);

// The system's reason for the last failed call: errno, or GetLastError on
// Windows. The operations here that clean up after a failure keep the reason
// of the step that failed, so that their caller can still tell why.
std::uint32_t LastSystemError();
void SetLastSystemError(std::uint32_t code);

// Puts the complete file `temp` in place of `target`, so that at every moment
// a complete file exists: `target` (old or new), or during the fallback below
// `backup` holding the old one. Where the system has an atomic replace
// (rename on POSIX, MoveFileEx on Windows NT) it is used; where it has none
// (Windows 95 and 98), or when `allowAtomic` is false (tests of that path), `target` is first moved
// to `backup`, then `temp` to `target`, then `backup` removed. `backup` must
// be free: a file under that name is never removed, and the replace then fails.
// On failure the old `target` is left as it was (or moved back from `backup`).
bool ReplaceFileSafely(const char* temp, const char* target, const char* backup,
                       bool allowAtomic = true);

}  // namespace platform
