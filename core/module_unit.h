#pragma once

// The unit of a plug-in module, registering its frame class.

#include "host/frame/class_registry.h"

namespace core {

// The unit of a plug-in module. Its counter starts at 0: initialisation counts down and registers
// the frame class only on the way from 0, finalisation counts up and unregisters only on the way
// back to 0, so repeated calls register and unregister once.
class ModuleUnit {
public:
    explicit ModuleUnit(const host::FrameClass& frameClass) : frameClass_(frameClass) {}

    void initialize() {
        if (counter_-- == 0) host::RegisterClass(frameClass_);
    }
    void finalize() {
        if (counter_++ == -1) host::UnRegisterClass(frameClass_);
    }
private:
    const host::FrameClass& frameClass_;
    int counter_ = 0;
};

}  // namespace core

// The module's entry points: the host calls Initialize after loading the module and Finalize
// before unloading it.
#define ZORVIC_REPORT_MODULE(FrameType)                                                              \
    namespace {                                                                                      \
    std::unique_ptr<host::TReportFrame> createFrame() { return std::make_unique<FrameType>(); }     \
    const host::FrameClass kFrameClass{std::string(FrameType::kProfile.className), &createFrame};    \
    core::ModuleUnit g_unit(kFrameClass);                                                            \
    }                                                                                                \
    extern "C" __attribute__((visibility("default"))) void Initialize() { g_unit.initialize(); }     \
    extern "C" __attribute__((visibility("default"))) void Finalize() { g_unit.finalize(); }
