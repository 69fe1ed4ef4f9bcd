#include "platform/text_file.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

FileFaultRule InjectedFileFault = nullptr;

namespace {

// False when a test's rule fails this operation.
bool Allowed(FileOperation operation) {
    if (InjectedFileFault && InjectedFileFault(operation, 0) == 0) {
        errno = EIO;
        return false;
    }
    return true;
}

std::size_t WriteBytes(const void* data, std::size_t size, std::FILE* file) {
    if (InjectedFileFault) {
        const std::size_t allowed = InjectedFileFault(FileOperation::Write, size);
        if (allowed < size) {
            std::fwrite(data, 1, allowed, file);
            errno = ENOSPC;
            return allowed;
        }
    }
    return std::fwrite(data, 1, size, file);
}

// Reads one byte; the report file is read by one thread only.
inline int NextByte(std::FILE* file) {
#ifdef _WIN32
    return std::getc(file);
#else
    return getc_unlocked(file);
#endif
}
}  // namespace

bool TextFileReader::ReadLine(std::string& line, std::size_t maxChars) {
    line.clear();
    if (Ended) return false;
    bool any = false;
    for (;;) {
        int c = NextByte(File);
        if (c == EOF) {
            Ended = true;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < maxChars + 1) {
            line.push_back(static_cast<char>(c));
        } else {
            Cut = true;
        }
    }
    // A CR that ends the line belongs to the line end (text mode).
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > maxChars) {
        line.resize(maxChars);
        Cut = true;
    }
    return any;
}

bool TextFileReader::HasMoreContent() {
    for (;;) {
        int c = NextByte(File);
        if (c == EOF) return false;
        if (c != '\n' && c != '\r' && c != ' ' && c != '\t') return true;
    }
}

void TextFileWriter::WriteLine(const std::string& text) {
    Line.assign(text);
    Line.append("\r\n", 2);
    if (WriteBytes(Line.data(), Line.size(), File) != Line.size()) Bad = true;
}

void TextFileWriter::WriteLine(const char* text) {
    WriteLine(std::string(text));
}

std::FILE* OpenForReading(const char* path) { return std::fopen(path, "rb"); }

std::FILE* OpenForWriting(const char* path) {
    if (!Allowed(FileOperation::Create)) return nullptr;
    return std::fopen(path, "wb");
}

bool FlushToDisk(std::FILE* file) {
    if (!Allowed(FileOperation::Flush)) return false;
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool FileExists(const char* path) {
#ifdef _WIN32
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat st;
    return stat(path, &st) == 0;
#endif
}

bool RemoveFile(const char* path) { return std::remove(path) == 0; }

bool CopyNewFile(const char* from, const char* to) {
    if (FileExists(to)) return false;
    std::FILE* in = OpenForReading(from);
    if (!in) return false;
    std::FILE* out = OpenForWriting(to);
    if (!out) {
        std::fclose(in);
        return false;
    }
    bool ok = true;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (WriteBytes(buffer, n, out) != n) {
            ok = false;
            break;
        }
    }
    if (std::ferror(in)) ok = false;
    if (!FlushToDisk(out)) ok = false;
    if (std::fclose(out) != 0) ok = false;
    std::fclose(in);
    if (!ok) RemoveFile(to);
    return ok;
}

namespace {

// Moves a file to a name that must not exist yet.
bool PlainMove(const char* from, const char* to) {
    if (!Allowed(FileOperation::Move)) return false;
#ifdef _WIN32
    return MoveFileA(from, to) != 0;
#else
    if (FileExists(to)) return false;
    return std::rename(from, to) == 0;
#endif
}

enum class ReplaceResult { Done, Failed, Unsupported };

// Replaces `target` in one step where the system can.
ReplaceResult AtomicReplace(const char* temp, const char* target) {
    if (!Allowed(FileOperation::Move)) return ReplaceResult::Failed;
#ifdef _WIN32
    // Windows 95 and 98 lack MoveFileExA or answer ERROR_CALL_NOT_IMPLEMENTED.
    typedef BOOL(WINAPI * MoveFileExFn)(LPCSTR, LPCSTR, DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    MoveFileExFn moveEx =
        kernel ? reinterpret_cast<MoveFileExFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "MoveFileExA")))
               : nullptr;
    if (!moveEx) return ReplaceResult::Unsupported;
    if (moveEx(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return ReplaceResult::Done;
    return GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? ReplaceResult::Unsupported : ReplaceResult::Failed;
#else
    return std::rename(temp, target) == 0 ? ReplaceResult::Done : ReplaceResult::Failed;
#endif
}

bool IsRegularFile(const char* path) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
#endif
}

}  // namespace

bool ReplaceFileSafely(const char* temp, const char* target, const char* backup, bool allowAtomic) {
    if (allowAtomic) {
        ReplaceResult result = AtomicReplace(temp, target);
        if (result != ReplaceResult::Unsupported) return result == ReplaceResult::Done;
    }
    if (!FileExists(target)) return PlainMove(temp, target);
    if (!IsRegularFile(target) || (FileExists(backup) && !IsRegularFile(backup))) return false;
    // A backup left by an interrupted replace is older than `target`: drop it.
    if (FileExists(backup) && !RemoveFile(backup)) return false;
    if (!PlainMove(target, backup)) return false;
    if (!PlainMove(temp, target)) {
        PlainMove(backup, target);
        return false;
    }
    RemoveFile(backup);
    return true;
}

}  // namespace platform
