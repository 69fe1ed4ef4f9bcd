#include "tools/vqreport/load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "persistence/reset.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/report_file.h"

namespace vqreport {

std::string UnreadableReason(const std::string& path, const char* what) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(path), error);
    if (status.type() == fs::file_type::not_found) return "no such file";
    if (status.type() == fs::file_type::directory) return std::string("it is a directory, not a ") + what;
    // Devices and pipes may never end; a report file is a plain file.
    if (!error && status.type() != fs::file_type::regular) return "it is not a plain file";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        const int code = errno;
        return code ? std::strerror(code) : "it cannot be opened";
    }
    std::fclose(file);
    return std::string();
}

std::string FailureReason(std::uint32_t code) {
#ifdef _WIN32
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return "no permission (the file, its folder or the disk is read-only)";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "another program has the file open";
    case ERROR_NOT_SAME_DEVICE: return "the two names are on different drives (another file system)";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND: return "no such file or folder";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "a file of that name is already there";
    }
    char text[256];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, sizeof text, nullptr);
    std::string words(text, length);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.')) words.pop_back();
    return words.empty() ? "Windows error " + std::to_string(code) : words;
#else
    switch (static_cast<int>(code)) {
    case ENOSPC: return "the disk is full";
    case EDQUOT: return "the disk quota is used up";
    case EACCES:
    case EPERM: return "no permission (the file or its folder is read-only, or not yours)";
    case EROFS: return "the file system is read-only";
    case EXDEV: return "the two names are on different file systems";
    case ENOENT: return "no such file or folder";
    case EEXIST: return "a file of that name is already there";
    case EISDIR: return "it is a directory";
    case 0: return "the reason is unknown";
    }
    return std::strerror(static_cast<int>(code));
#endif
}

LoadResult LoadReportFile(const std::string& path, bool evenIfRefused) {
    LoadResult result;
    ResetModuleState();
    result.OpenError = UnreadableReason(path);
    if (!result.OpenError.empty()) return result;
    const ReportFileRead read = ReadReportFile(path.c_str(), evenIfRefused);
    if (!read.Opened) {
        result.OpenError = "it cannot be opened";
        return result;
    }
    result.Opened = true;
    result.Empty = read.Empty;
    result.Accepted = read.Accepted;
    result.Whole = read.Whole;
    result.FirstLine = read.FirstLine;
    result.Lines = read.Lines;
    return result;
}

}  // namespace vqreport
