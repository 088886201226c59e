// Loading and unloading a plug-in module.
#include "host/frame/module_library.h"

#include <dlfcn.h>

#include <filesystem>

namespace host {

ModuleLibrary::ModuleLibrary(const std::string& path) : path_(path) {
    if (!std::filesystem::exists(path)) throw ModuleLoadError("there is no module file " + path);
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw ModuleLoadError("cannot load the module " + path + ": " + dlerror());
    auto initialize = reinterpret_cast<void (*)()>(dlsym(handle_, "Initialize"));
    finalize_ = reinterpret_cast<void (*)()>(dlsym(handle_, "Finalize"));
    if (!initialize || !finalize_) {
        dlclose(handle_);
        throw ModuleLoadError(path + " is not a report module: it exports no Initialize and Finalize");
    }
    initialize();
}

ModuleLibrary::~ModuleLibrary() {
    finalize_();
    dlclose(handle_);
}

std::string ModuleLibrary::moduleName() const { return std::filesystem::path(path_).stem().string(); }

std::string resolveModulePath(const std::string& module, const std::string& moduleDirectory) {
    if (module.find('/') != std::string::npos || std::filesystem::path(module).extension() == ".so") return module;
    return (std::filesystem::path(moduleDirectory) / (module + ".so")).string();
}

}  // namespace host
