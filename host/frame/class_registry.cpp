// The registry of frame classes the modules register.
#include "host/frame/class_registry.h"

#include <algorithm>
#include <stdexcept>

#include "host/frame/report_frame.h"

namespace host {
namespace {

std::vector<const FrameClass*>& registry() {
    static std::vector<const FrameClass*> classes;
    return classes;
}

}  // namespace

void RegisterClass(const FrameClass& frameClass) {
    if (const FrameClass* known = FindClass(frameClass.name)) {
        if (known == &frameClass) return;
        throw std::logic_error("another class is registered already under the name " + frameClass.name);
    }
    registry().push_back(&frameClass);
}

void UnRegisterClass(const FrameClass& frameClass) {
    auto& classes = registry();
    const auto it = std::find(classes.begin(), classes.end(), &frameClass);
    if (it == classes.end()) throw std::logic_error("the class " + frameClass.name + " is not registered");
    classes.erase(it);
}

const FrameClass* FindClass(const std::string& name) {
    for (const FrameClass* frameClass : registry())
        if (frameClass->name == name) return frameClass;
    return nullptr;
}

std::vector<std::string> RegisteredClassNames() {
    std::vector<std::string> names;
    for (const FrameClass* frameClass : registry()) names.push_back(frameClass->name);
    return names;
}

std::unique_ptr<TReportFrame> CreateFrame(const std::string& className) {
    const FrameClass* frameClass = FindClass(className);
    if (!frameClass) throw std::runtime_error("no loaded module registers the class " + className);
    return frameClass->create();
}

}  // namespace host
