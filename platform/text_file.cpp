#include "platform/text_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace platform {

#ifdef VQ_FILE_FAULTS
FileFaultRule InjectedFileFault = nullptr;
#endif

namespace {

#ifdef _WIN32
constexpr std::uint32_t DiskError = ERROR_WRITE_FAULT;
#else
constexpr std::uint32_t DiskError = EIO;
#endif

#ifdef VQ_FILE_FAULTS
// What a test's rule answers for this operation: 0 fail (or, for the routes
// of a replace, not offered), 1 go ahead, 2 a route that fails.
std::size_t Answer(FileOperation operation, const char* path, const char* other) {
    const std::size_t answer = InjectedFileFault ? InjectedFileFault(operation, 0, path, other) : 1;
    if (answer != 1) SetLastSystemError(DiskError);
    return answer;
}
bool Allowed(FileOperation operation, const char* path, const char* other = nullptr) {
    return Answer(operation, path, other) == 1;
}
// How many of `size` bytes a write may put into the file.
std::size_t WritableBytes(std::size_t size, const char* path) {
    const std::size_t allowed = InjectedFileFault ? InjectedFileFault(FileOperation::Write, size, path, nullptr) : size;
    return allowed < size ? allowed : size;
}
#else
// Every operation goes straight to the system.
constexpr std::size_t Answer(FileOperation, const char*, const char*) { return 1; }
constexpr bool Allowed(FileOperation, const char*, const char* = nullptr) { return true; }
constexpr std::size_t WritableBytes(std::size_t size, const char*) { return size; }
#endif

#ifdef _WIN32
HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

// A KERNEL32 function that not every Windows has, looked up by name when it
// is needed (the gauge file imports only what Windows 95 has).
template <typename Function>
Function Kernel32Function(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}
#endif

}  // namespace

// ---------------------------------------------------------------- File

#ifdef _WIN32

bool File::OpenForReading(const char* path) {
    Close();
    Answer(FileOperation::Open, path, nullptr);
    Handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    // Only a file on a disk: a device or a pipe could make a read wait.
    if (IsOpen() && GetFileType(AsHandle(Handle)) != FILE_TYPE_DISK) {
        Close();
        SetLastError(ERROR_ACCESS_DENIED);
    }
    return IsOpen();
}

bool File::CreateNew(const char* path) {
    Close();
    Name = path;
    if (!Allowed(FileOperation::Create, path)) return false;
    Handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

bool File::IsOpen() const { return AsHandle(Handle) != INVALID_HANDLE_VALUE; }

std::int32_t File::Read(void* data, std::size_t size) {
    DWORD read = 0;
    if (!IsOpen() || !ReadFile(AsHandle(Handle), data, static_cast<DWORD>(size), &read, nullptr)) return -1;
    return static_cast<std::int32_t>(read);
}

bool File::Write(const void* data, std::size_t size) {
    if (!IsOpen()) return false;
    const std::size_t allowed = WritableBytes(size, Name);
    DWORD written = 0;
    if (allowed > 0 && !WriteFile(AsHandle(Handle), data, static_cast<DWORD>(allowed), &written, nullptr)) {
        return false;
    }
    return allowed == size && written == size;
}

bool File::FlushToDisk() {
    if (!Allowed(FileOperation::Flush, Name)) return false;
    return IsOpen() && FlushFileBuffers(AsHandle(Handle)) != 0;
}

FileTime File::WriteTime() const {
    FILETIME written;
    if (!IsOpen() || !GetFileTime(AsHandle(Handle), nullptr, nullptr, &written)) return 0;
    return (static_cast<FileTime>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

bool File::Close() {
    if (!IsOpen()) return true;
    const bool ok = CloseHandle(AsHandle(Handle)) != 0;
    Handle = INVALID_HANDLE_VALUE;
    return ok;
}

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

NameKind KindOfName(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return NameKind::Free;
    const DWORD other = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    return (attributes & other) ? NameKind::Other : NameKind::PlainFile;
}

NameKind KindOfFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return NameKind::Free;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) ? NameKind::Other : NameKind::PlainFile;
}

bool IsReadOnlyFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool RemoveFile(const char* path) { return Allowed(FileOperation::Remove, path) && DeleteFileA(path) != 0; }

std::uint32_t LastSystemError() { return GetLastError(); }
void SetLastSystemError(std::uint32_t code) { SetLastError(code); }

namespace {

// Moves a file to a name that must be free; written through where the system
// offers it (MoveFileExA: Windows NT; Windows 95 and 98 lack it or answer
// ERROR_CALL_NOT_IMPLEMENTED).
bool PlainMove(const char* from, const char* to) {
    if (!Allowed(FileOperation::Move, from, to)) return false;
    typedef BOOL(WINAPI * MoveFileExFn)(LPCSTR, LPCSTR, DWORD);
    static const MoveFileExFn moveEx = Kernel32Function<MoveFileExFn>("MoveFileExA");
    if (moveEx) {
        if (moveEx(from, to, MOVEFILE_WRITE_THROUGH)) return true;
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    }
    return MoveFileA(from, to) != 0;
}

bool NameTaken(std::uint32_t error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }
bool NameGone(std::uint32_t error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// How one route of a replace went: TargetGone when the old file was no longer
// there (something else moved it), Unoffered when the system has no such route.
enum class Step { Done, Failed, TargetGone, Unoffered };

// ReplaceFileA (Windows 2000 and later) with `backup`: the old file ends there.
Step SystemReplace(const char* temp, const char* target, const char* backup) {
    typedef BOOL(WINAPI * ReplaceFileFn)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
    static const ReplaceFileFn replaceFile = Kernel32Function<ReplaceFileFn>("ReplaceFileA");
    if (!replaceFile) return Step::Unoffered;
    const std::size_t answer = Answer(FileOperation::SystemReplace, temp, target);
    if (answer != 1) return answer == 0 ? Step::Unoffered : Step::Failed;
    if (replaceFile(target, temp, backup, 0, nullptr, nullptr)) return Step::Done;
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file was moved to `backup`, the new one did not follow:
        // finish the replace by hand, or put the old one back.
        if (PlainMove(temp, target)) return Step::Done;
        PlainMove(backup, target);
        SetLastError(error);
        return Step::Failed;
    }
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT and ERROR_UNABLE_TO_REMOVE_REPLACED
    // (with a backup name) leave both files under their own names.
    return NameGone(error) ? Step::TargetGone : Step::Failed;
}

// Nothing more to do for the new file to reach the disk: the moves are
// written through where the system can.
void SyncFolderOf(const char*) {}

// Neither a swap of two names nor hard links on the file systems the host runs on.
Step Exchange(const char*, const char*) { return Step::Unoffered; }
Step LinkAside(const char*, const char*, const char*) { return Step::Unoffered; }

constexpr std::uint32_t NameTakenError = ERROR_ALREADY_EXISTS;

}  // namespace

#else

bool File::OpenForReading(const char* path) {
    Close();
    Answer(FileOperation::Open, path, nullptr);
    // O_NONBLOCK: opening a pipe with no writer must not wait; the file is
    // then taken only if it is a regular file, where the flag changes nothing.
    Descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st;
    if (IsOpen() && (fstat(Descriptor, &st) != 0 || !S_ISREG(st.st_mode))) {
        Close();
        errno = EINVAL;
    }
    return IsOpen();
}

bool File::CreateNew(const char* path) {
    Close();
    Name = path;
    if (!Allowed(FileOperation::Create, path)) return false;
    Descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return IsOpen();
}

bool File::IsOpen() const { return Descriptor >= 0; }

std::int32_t File::Read(void* data, std::size_t size) {
    if (!IsOpen()) return -1;
    for (;;) {
        const ssize_t n = read(Descriptor, data, size);
        if (n >= 0) return static_cast<std::int32_t>(n);
        if (errno != EINTR) return -1;
    }
}

bool File::Write(const void* data, std::size_t size) {
    if (!IsOpen()) return false;
    const std::size_t allowed = WritableBytes(size, Name);
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t n = write(Descriptor, bytes + done, allowed - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return done == size;
}

bool File::FlushToDisk() {
    if (!Allowed(FileOperation::Flush, Name)) return false;
    return IsOpen() && fsync(Descriptor) == 0;
}

namespace {
FileTime TimeOf(const struct stat& st) {
    return static_cast<FileTime>(st.st_mtim.tv_sec) * 1000000000u + static_cast<FileTime>(st.st_mtim.tv_nsec);
}
}  // namespace

FileTime File::WriteTime() const {
    struct stat st;
    return IsOpen() && fstat(Descriptor, &st) == 0 ? TimeOf(st) : 0;
}

bool File::Close() {
    if (!IsOpen()) return true;
    const bool ok = close(Descriptor) == 0;
    Descriptor = -1;
    return ok;
}

bool FileExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

NameKind KindOfName(const char* path) {
    struct stat st;
    if (lstat(path, &st) != 0) return NameKind::Free;
    return S_ISREG(st.st_mode) ? NameKind::PlainFile : NameKind::Other;
}

NameKind KindOfFile(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) return NameKind::Free;
    return S_ISREG(st.st_mode) ? NameKind::PlainFile : NameKind::Other;
}

bool IsReadOnlyFile(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && (st.st_mode & 0222) == 0;
}

bool RemoveFile(const char* path) { return Allowed(FileOperation::Remove, path) && unlink(path) == 0; }

std::uint32_t LastSystemError() { return static_cast<std::uint32_t>(errno); }
void SetLastSystemError(std::uint32_t code) { errno = static_cast<int>(code); }

namespace {

bool NotOffered(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP; }

// Moves a file to a name that must be free: in one step that fails on a taken
// name where the file system offers it, else after a look at the name.
bool PlainMove(const char* from, const char* to) {
    if (!Allowed(FileOperation::Move, from, to)) return false;
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (!NotOffered(errno)) return false;
    if (KindOfName(to) != NameKind::Free) {  // a link too, even a broken one
        errno = EEXIST;
        return false;
    }
    return rename(from, to) == 0;
}

bool NameTaken(std::uint32_t error) { return error == EEXIST || error == ENOTEMPTY; }
constexpr std::uint32_t NameTakenError = EEXIST;
bool NameGone(std::uint32_t error) { return error == ENOENT; }

enum class Step { Done, Failed, TargetGone, Unoffered };

// The new file and the old one swap names in one step.
Step Exchange(const char* temp, const char* target) {
    const std::size_t answer = Answer(FileOperation::Exchange, temp, target);
    if (answer != 1) return answer == 0 ? Step::Unoffered : Step::Failed;
    if (renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_EXCHANGE) == 0) return Step::Done;
    return NotOffered(errno) ? Step::Unoffered : NameGone(errno) ? Step::TargetGone : Step::Failed;
}

// `backup` a hard link of `target`, then `temp` over `target`.
Step LinkAside(const char* temp, const char* target, const char* backup) {
    const std::size_t answer = Answer(FileOperation::Link, target, backup);
    if (answer != 1) return answer == 0 ? Step::Unoffered : Step::Failed;
    if (link(target, backup) != 0) {
        return errno == EPERM || NotOffered(errno) ? Step::Unoffered : NameGone(errno) ? Step::TargetGone : Step::Failed;
    }
    if (Allowed(FileOperation::Move, temp, target) && rename(temp, target) == 0) return Step::Done;
    const int reason = errno;
    RemoveFile(backup);  // the second name of the old file, which stays in place
    errno = reason;
    return Step::Failed;
}

Step SystemReplace(const char*, const char*, const char*) { return Step::Unoffered; }

// Makes the renames in the folder of `path` durable: the folder itself is
// flushed (the new file's bytes were flushed before it was moved).
void SyncFolderOf(const char* path) {
    PathText folder = ".";
    std::size_t slash = 0;
    for (std::size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '/') slash = i + 1;
    }
    if (slash > 0) folder.Assign(path, slash);
    if (!Allowed(FileOperation::SyncFolder, folder.c_str())) return;
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    fsync(descriptor);  // a file system that cannot sync a folder says EINVAL: nothing more to do
    close(descriptor);
}

}  // namespace

#endif

namespace {

// The move sequence: `target` to `backup`, then `temp` to `target`.
Step MoveAside(const char* temp, const char* target, const char* backup) {
    if (!PlainMove(target, backup)) return NameGone(LastSystemError()) ? Step::TargetGone : Step::Failed;
    if (PlainMove(temp, target)) return Step::Done;
    const std::uint32_t reason = LastSystemError();
    PlainMove(backup, target);
    SetLastSystemError(reason);
    return Step::Failed;
}

}  // namespace

bool RenameFile(const char* from, const char* to) { return PlainMove(from, to); }

bool CopyNewFile(const char* from, const char* to) {
    File in;
    if (!in.OpenForReading(from)) return false;
    File out;
    if (!out.CreateNew(to)) return false;
    bool ok = true;
    char buffer[2048];
    for (;;) {
        const std::int32_t n = in.Read(buffer, sizeof buffer);
        if (n < 0) ok = false;
        if (n <= 0) break;
        if (!out.Write(buffer, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    if (!out.FlushToDisk()) ok = false;
    if (!out.Close()) ok = false;
    if (!ok) {
        const std::uint32_t reason = LastSystemError();
        RemoveFile(to);
        SetLastSystemError(reason);
    }
    return ok;
}

FileTime WriteTimeOf(const char* path) {
    File file;
    return file.OpenForReading(path) ? file.WriteTime() : 0;
}

Replaced ReplaceKeepingOld(const char* temp, const char* target, const char* backup) {
    Replaced result;
    // A second round when the target comes or goes under the first.
    for (int round = 0; round < 2; ++round) {
        // A folder, a pipe or a device under the name is never swapped out.
        if (KindOfFile(target) == NameKind::Other) return result;
        if (KindOfName(target) == NameKind::Free) {
            if (PlainMove(temp, target)) {
                result.Done = true;
                SyncFolderOf(target);
                return result;
            }
            if (!NameTaken(LastSystemError())) return result;
            continue;  // a file appeared under the name: it is replaced, and handed back
        }
        if (KindOfName(backup) != NameKind::Free) {
            // Maybe the only copy of a report (a replace broken off between its
            // moves): the caller keeps it aside first.
            SetLastSystemError(NameTakenError);
            return result;
        }
        Step step = Exchange(temp, target);
        if (step == Step::Done) result.OldAt = temp;
        if (step == Step::Unoffered) {
            step = SystemReplace(temp, target, backup);
            if (step == Step::Unoffered) step = LinkAside(temp, target, backup);
            if (step == Step::Unoffered) step = MoveAside(temp, target, backup);
            if (step == Step::Done) result.OldAt = backup;
        }
        if (step == Step::TargetGone) continue;
        if (step == Step::Done) {
            result.Done = true;
            SyncFolderOf(target);
        }
        return result;
    }
    return result;
}

// ---------------------------------------------------------------- lines

int TextFileReader::NextByte() {
    if (Position == Filled) {
        if (Ended) return -1;
        const std::int32_t n = In.Read(Buffer, sizeof Buffer);
        if (n <= 0) {
            if (n < 0) ReadError = true;
            Ended = true;
            return -1;
        }
        Position = 0;
        Filled = static_cast<std::size_t>(n);
        Read.Add(Buffer, Filled);
    }
    return Buffer[Position++];
}

FileFingerprint TextFileReader::ReadToEnd() {
    Position = Filled;
    while (NextByte() >= 0) Position = Filled;
    Read.Present = true;
    Read.Known = !ReadError;
    return Read;
}

namespace {

void Mix(std::uint64_t& a, std::uint64_t& b, std::uint64_t word) {
    a = (a ^ word) * 0x9e3779b97f4a7c15ull;
    a ^= a >> 31;
    b = (b + word) * 0xff51afd7ed558ccdull;
    b ^= b >> 29;
}

}  // namespace

void FileFingerprint::Add(const void* data, std::size_t size) {
    // Eight bytes at a time (one multiply each per hash), whatever the pieces
    // they come in: the bytes after the last whole eight wait in Word.
    const unsigned char* byte = static_cast<const unsigned char*>(data);
    std::size_t i = 0;
    while (i < size) {
        if ((Length & 7) == 0 && size - i >= 8) {
            std::uint64_t word;
            __builtin_memcpy(&word, byte + i, 8);  // little-endian, as the bytes one by one
            Mix(HashA, HashB, word);
            i += 8;
            Length += 8;
            continue;
        }
        Word |= static_cast<std::uint64_t>(byte[i++]) << (8 * (Length++ & 7));
        if ((Length & 7) == 0) {
            Mix(HashA, HashB, Word);
            Word = 0;
        }
    }
}

bool FileFingerprint::Same(const FileFingerprint& other) const {
    return Known && other.Known && Present == other.Present && Length == other.Length &&
           HashA == other.HashA && HashB == other.HashB && Word == other.Word;
}

FileFingerprint FingerprintOf(const char* path) {
    FileFingerprint print;
    File file;
    if (!file.OpenForReading(path)) {
        print.Present = FileExists(path);
        print.Known = !print.Present;  // there but unreadable: unknown
        return print;
    }
    TextFileReader in(file);
    return in.ReadToEnd();
}

bool TextFileReader::ReadLine(char* line, std::size_t maxChars, std::size_t& length) {
    length = 0;
    line[0] = '\0';
    if (Ended && Position == Filled) return false;
    bool any = false;
    std::size_t extra = 0;    // characters beyond maxChars
    bool extraIsCR = false;  // the first of them is a CR (maybe the line end's)
    for (;;) {
        const int c = NextByte();
        if (c < 0) break;
        any = true;
        if (c == '\n') break;
        if (length < maxChars) {
            line[length++] = static_cast<char>(c);
        } else {
            if (extra == 0) extraIsCR = c == '\r';
            ++extra;
        }
    }
    if (extra == 0) {
        // A CR that ends the line belongs to the line end (text mode).
        if (length > 0 && line[length - 1] == '\r') --length;
    } else if (extra > 1 || !extraIsCR) {
        Cut = true;
    }
    line[length] = '\0';
    return any;
}

bool TextFileReader::HasMoreContent() {
    for (;;) {
        const int c = NextByte();
        if (c < 0) return false;
        if (c != '\n' && c != '\r' && c != ' ' && c != '\t') return true;
    }
}

void TextFileWriter::Put(const char* data, std::size_t size) {
    Print.Add(data, size);
    while (size > 0) {
        if (Used == sizeof Buffer) {
            if (!Bad && !Out.Write(Buffer, Used)) Bad = true;
            Used = 0;
        }
        std::size_t n = sizeof Buffer - Used;
        if (n > size) n = size;
        __builtin_memcpy(Buffer + Used, data, n);
        Used += n;
        data += n;
        size -= n;
    }
}

void TextFileWriter::WriteLine(const char* text, std::size_t length) {
    Put(text, length);
    Put("\r\n", 2);
}

void TextFileWriter::WriteLine(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    WriteLine(text, length);
}

bool TextFileWriter::Finish() {
    if (Used > 0 && !Bad && !Out.Write(Buffer, Used)) Bad = true;
    Used = 0;
    return !Bad;
}

}  // namespace platform
