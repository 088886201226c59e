#pragma once

// One report frame run from the command line, and the usage error.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/frame/module_library.h"
#include "host/frame/report_frame.h"
#include "host/options/mem_ini_file.h"

namespace app {

// A refused user change or another bad argument: exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One report frame as the host runs it: the module loaded, its frame created by class name and
// given its options. The frame is destroyed and the module unloaded, in that order, at the end.
class FrameSession {
public:
    // Throws UsageError when the module cannot be found or loaded, or registers no frame class.
    FrameSession(const std::string& module, const std::string& moduleDirectory);
    ~FrameSession();

    host::TReportFrame& frame() { return *frame_; }
    const std::string& moduleName() const { return moduleName_; }
    host::MemIniFile& options() { return options_; }

    // Reads the options file (none: an empty one) and hands it to the frame.
    void readOptions(const std::optional<std::string>& optionsFile);
    // Each change as a user's, in order; the first refused one throws UsageError.
    void applySettings(const std::vector<std::pair<std::string, std::string>>& settings);

private:
    std::unique_ptr<host::ModuleLibrary> module_;
    std::string moduleName_;
    host::MemIniFile options_;
    std::unique_ptr<host::TReportFrame> frame_;
};

}  // namespace app
