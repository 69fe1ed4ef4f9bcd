#include "tools/vqreport/streams.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

#include "platform/text_file.h"
#include "tools/vqreport/load.h"

#ifdef _WIN32
#include <process.h>
#define VQ_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define VQ_PROCESS_ID getpid()
#endif

namespace vqreport {

bool IsStandardStream(const std::string& name) { return name == "-"; }

bool ReadStream(std::istream& in, std::size_t limit, std::string& text, std::string& problem) {
    text.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > limit) {
            problem = "it holds more than " + std::to_string(limit / 1024) + " KB";
            return false;
        }
    }
    if (in.bad()) {
        problem = "it cannot be read";
        return false;
    }
    return true;
}

TemporaryFile::TemporaryFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        Why = "no temporary folder: " + error.message();
        return;
    }
    for (int n = 0; n < 100; ++n) {
        const std::string name =
            (folder / ("vqreport-" + std::to_string(VQ_PROCESS_ID) + "-" + std::to_string(n) + ".tmp")).string();
        platform::File file;
        if (file.CreateNew(name.c_str())) {
            Name = name;
            return;
        }
    }
    Why = "no temporary file in " + folder.string() + ": " + FailureReason(platform::LastSystemError());
}

TemporaryFile::~TemporaryFile() {
    if (!Name.empty()) platform::RemoveFile(Name.c_str());
}

bool TemporaryFile::Fill(const std::string& bytes) {
    std::ofstream file(Name, std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
        Why = "cannot write the temporary file " + Name;
        return false;
    }
    return true;
}

bool TemporaryFile::CopyTo(std::ostream& out) {
    std::ifstream file(Name, std::ios::binary);
    return file && (out << file.rdbuf()) && out.flush();
}

}  // namespace vqreport
