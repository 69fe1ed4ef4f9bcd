// Loads a gauge module file as the panel system does: by its file name, then
// only through its exported Linkage and ImportTable records.
#pragma once

#include <string>

#include "interface/records.h"

namespace host {

class ModuleFile {
public:
    ModuleFile() = default;
    ~ModuleFile() { Unload(); }
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    // Loads the file and looks up the records. False with a message in
    // `error` when the file cannot be loaded or lacks the exports.
    bool Load(const std::string& path, std::string& error);
    void Unload();

    // Any exported data symbol by name (null if absent).
    void* Symbol(const char* name) const;

    ModuleLinkage* Linkage = nullptr;
    ModuleImports* Imports = nullptr;

private:
    void* Handle = nullptr;
};

}  // namespace host
