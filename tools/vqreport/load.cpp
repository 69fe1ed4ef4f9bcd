#include "tools/vqreport/load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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
