#include "host/program_directory.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace host {

std::string ProgramDirectory() {
    namespace fs = std::filesystem;
    char path[4096] = {};
#ifdef _WIN32
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
#else
    if (readlink("/proc/self/exe", path, sizeof path - 1) < 0) return fs::current_path().string();
#endif
    std::error_code error;
    return fs::absolute(fs::path(path), error).parent_path().string();
}

}  // namespace host
