#include "host/module_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {

bool ModuleFile::Load(const std::string& path, std::string& error) {
    Unload();
#ifdef _WIN32
    Handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
    if (!Handle) {
        error = "cannot load the gauge module " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
        return false;
    }
#else
    Handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!Handle) {
        const char* why = dlerror();
        error = "cannot load the gauge module " + path + ": " + (why ? why : "unknown error");
        return false;
    }
#endif
    Linkage = static_cast<ModuleLinkage*>(Symbol("Linkage"));
    Imports = static_cast<ModuleImports*>(Symbol("ImportTable"));
    if (!Linkage || !Imports) {
        error = path + " is not a gauge module: it does not export Linkage and ImportTable";
        Unload();
        return false;
    }
    if (!Linkage->Gauge) {
        error = path + " exports Linkage without a gauge header";
        Unload();
        return false;
    }
    return true;
}

void* ModuleFile::Symbol(const char* name) const {
    if (!Handle) return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(Handle), name));
#else
    return dlsym(Handle, name);
#endif
}

void ModuleFile::Unload() {
    if (!Handle) return;
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(Handle));
#else
    dlclose(Handle);
#endif
    Handle = nullptr;
    Linkage = nullptr;
    Imports = nullptr;
}

}  // namespace host
