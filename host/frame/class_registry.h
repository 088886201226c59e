#pragma once

// The registry of frame classes the modules register.

#include <memory>
#include <string>
#include <vector>

#include "host/host_api.h"

namespace host {

class TReportFrame;

// A frame class as a module registers it: its name and how to make one.
struct FrameClass {
    std::string name;
    std::unique_ptr<TReportFrame> (*create)();
};

// The host's class registry. Registering a class that is registered already is harmless; another
// class under a name in use is refused (std::logic_error), as is unregistering one that is not
// registered.
HOST_API void RegisterClass(const FrameClass& frameClass);
HOST_API void UnRegisterClass(const FrameClass& frameClass);
HOST_API const FrameClass* FindClass(const std::string& name);
HOST_API std::vector<std::string> RegisteredClassNames();

// Throws std::runtime_error naming the class when no module registered it.
HOST_API std::unique_ptr<TReportFrame> CreateFrame(const std::string& className);

}  // namespace host
