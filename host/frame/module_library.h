#pragma once

// A plug-in module loaded into the host's process.

#include <stdexcept>
#include <string>

#include "host/host_api.h"

namespace host {

class HOST_API ModuleLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One plug-in module loaded into the host's process: opened, its unit initialised (so that it
// registers its frame class), and on destruction finalised and closed again. Frames the module
// made must be gone before it is unloaded.
class HOST_API ModuleLibrary {
public:
    // Throws ModuleLoadError naming the file when it cannot be loaded or exports no entry points.
    explicit ModuleLibrary(const std::string& path);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    const std::string& path() const { return path_; }
    // The module's name: its file name without directory and extension ("pZorvicRozn").
    std::string moduleName() const;

private:
    std::string path_;
    void* handle_ = nullptr;
    void (*finalize_)() = nullptr;
};

// A plug-in name ("pZorvicBuy") is looked up in `moduleDirectory`; anything with a "/" or ending
// in ".so" is taken as a path.
HOST_API std::string resolveModulePath(const std::string& module, const std::string& moduleDirectory);

}  // namespace host
