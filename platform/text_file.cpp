#include "platform/text_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

namespace platform {

#ifdef VQ_FILE_FAULTS
FileFaultRule InjectedFileFault = nullptr;
#endif

namespace {

#ifdef VQ_FILE_FAULTS
// False when a test's rule fails this operation.
bool Allowed(FileOperation operation) { return !InjectedFileFault || InjectedFileFault(operation, 0) != 0; }
// How many of `size` bytes a write may put into the file.
std::size_t WritableBytes(std::size_t size) {
    const std::size_t allowed = InjectedFileFault ? InjectedFileFault(FileOperation::Write, size) : size;
    return allowed < size ? allowed : size;
}
#else
// Every operation goes straight to the system.
constexpr bool Allowed(FileOperation) { return true; }
constexpr std::size_t WritableBytes(std::size_t size) { return size; }
#endif

#ifdef _WIN32
HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }
#endif

}  // namespace

// ---------------------------------------------------------------- File

#ifdef _WIN32

bool File::OpenForReading(const char* path) {
    Close();
    Handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return IsOpen();
}

bool File::CreateNew(const char* path) {
    Close();
    if (!Allowed(FileOperation::Create)) return false;
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
    const std::size_t allowed = WritableBytes(size);
    DWORD written = 0;
    if (allowed > 0 && !WriteFile(AsHandle(Handle), data, static_cast<DWORD>(allowed), &written, nullptr)) {
        return false;
    }
    return allowed == size && written == size;
}

bool File::FlushToDisk() {
    if (!Allowed(FileOperation::Flush)) return false;
    return IsOpen() && FlushFileBuffers(AsHandle(Handle)) != 0;
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

bool IsReadOnlyFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool RemoveFile(const char* path) { return DeleteFileA(path) != 0; }

std::uint32_t LastSystemError() { return GetLastError(); }
void SetLastSystemError(std::uint32_t code) { SetLastError(code); }

namespace {

bool IsRegularFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Moves a file to a name that must not exist yet.
bool PlainMove(const char* from, const char* to) {
    if (!Allowed(FileOperation::Move)) return false;
    return MoveFileA(from, to) != 0;
}

enum class ReplaceResult { Done, Failed, Unsupported };

// Replaces `target` in one step where the system can.
ReplaceResult AtomicReplace(const char* temp, const char* target) {
    if (!Allowed(FileOperation::Move)) return ReplaceResult::Failed;
    // Windows 95 and 98 lack MoveFileExA or answer ERROR_CALL_NOT_IMPLEMENTED.
    typedef BOOL(WINAPI * MoveFileExFn)(LPCSTR, LPCSTR, DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    MoveFileExFn moveEx =
        kernel ? reinterpret_cast<MoveFileExFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "MoveFileExA")))
               : nullptr;
    if (!moveEx) return ReplaceResult::Unsupported;
    if (moveEx(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return ReplaceResult::Done;
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? ReplaceResult::Unsupported : ReplaceResult::Failed;
}

}  // namespace

#else

bool File::OpenForReading(const char* path) {
    Close();
    Descriptor = open(path, O_RDONLY);
    return IsOpen();
}

bool File::CreateNew(const char* path) {
    Close();
    if (!Allowed(FileOperation::Create)) return false;
    Descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
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
    const std::size_t allowed = WritableBytes(size);
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
    if (!Allowed(FileOperation::Flush)) return false;
    return IsOpen() && fsync(Descriptor) == 0;
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

bool IsReadOnlyFile(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && (st.st_mode & 0222) == 0;
}

bool RemoveFile(const char* path) { return unlink(path) == 0; }

std::uint32_t LastSystemError() { return static_cast<std::uint32_t>(errno); }
void SetLastSystemError(std::uint32_t code) { errno = static_cast<int>(code); }

namespace {

bool IsRegularFile(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// Moves a file to a name that must not exist yet.
bool PlainMove(const char* from, const char* to) {
    if (!Allowed(FileOperation::Move)) return false;
    if (KindOfName(to) != NameKind::Free) {  // a link too, even a broken one
        errno = EEXIST;
        return false;
    }
    return rename(from, to) == 0;
}

enum class ReplaceResult { Done, Failed, Unsupported };

ReplaceResult AtomicReplace(const char* temp, const char* target) {
    if (!Allowed(FileOperation::Move)) return ReplaceResult::Failed;
    return rename(temp, target) == 0 ? ReplaceResult::Done : ReplaceResult::Failed;
}

}  // namespace

#endif

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

bool ReplaceFileSafely(const char* temp, const char* target, const char* backup, bool allowAtomic) {
    if (allowAtomic) {
        ReplaceResult result = AtomicReplace(temp, target);
        if (result != ReplaceResult::Unsupported) return result == ReplaceResult::Done;
    }
    if (!FileExists(target)) return PlainMove(temp, target);
    // A file under the backup's name may be the only copy of a report (a
    // replace interrupted between its moves): the caller keeps it aside first.
    if (!IsRegularFile(target) || KindOfName(backup) != NameKind::Free) return false;
    if (!PlainMove(target, backup)) return false;
    if (!PlainMove(temp, target)) {
        const std::uint32_t reason = LastSystemError();
        PlainMove(backup, target);
        SetLastSystemError(reason);
        return false;
    }
    RemoveFile(backup);
    return true;
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
