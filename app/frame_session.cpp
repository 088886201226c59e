// Loading a module, creating its frame and giving it the user's options and changes.
#include "app/frame_session.h"

#include "host/frame/class_registry.h"
#include "host/ui/user_input.h"

namespace app {

FrameSession::FrameSession(const std::string& module, const std::string& moduleDirectory) {
    try {
        module_ = std::make_unique<host::ModuleLibrary>(host::resolveModulePath(module, moduleDirectory));
    } catch (const host::ModuleLoadError& e) {
        throw UsageError(std::string(e.what()) + " (known modules: pZorvicRozn, pZorvicRoznBeer, pZorvicTransport, "
                                                 "pZorvicBuy, pZorvicDelivery, pZorvicOborot)");
    }
    moduleName_ = module_->moduleName();
    // The frame class is named after the module: pZorvicRozn registers TZorvicRoznReport.
    const std::string bareName = moduleName_.size() > 1 && moduleName_[0] == 'p' ? moduleName_.substr(1) : moduleName_;
    const std::string className = "T" + bareName + "Report";
    if (!host::FindClass(className))
        throw UsageError("the module " + module_->path() + " registers no frame class " + className);
    frame_ = host::CreateFrame(className);
    frame_->setReportName(bareName);
    frame_->setOptionsFile(&options_);
}

FrameSession::~FrameSession() {
    // The frame's code lives in the module: it goes first.
    frame_.reset();
    module_.reset();
}

void FrameSession::readOptions(const std::optional<std::string>& optionsFile) {
    if (optionsFile) options_.loadFromFile(*optionsFile);
    frame_->ReadOptions();
}

void FrameSession::applySettings(const std::vector<std::pair<std::string, std::string>>& settings) {
    for (const auto& [name, value] : settings) {
        host::ui::Control* control = frame_->page().find(name);
        if (!control) throw UsageError("the parameters page of " + moduleName_ + " has no control " + name);
        if (auto refusal = host::ui::applyUserValue(*control, value)) throw UsageError(*refusal);
    }
}

}  // namespace app
