// The built plug-in modules as the host loads them: all six side by side in one process, each
// registering its frame class while loaded and only then.
#include <gtest/gtest.h>

#include <memory>

#include "host/frame/class_registry.h"
#include "host/frame/module_library.h"
#include "host/frame/report_frame.h"
#include "host/options/mem_ini_file.h"
#include "host/text/cp1251.h"

namespace {

struct Module {
    std::string name;
    std::string className;
    bool producerChoice;
};

const Module kModules[] = {
    {"pZorvicRozn", "TZorvicRoznReport", true},       {"pZorvicRoznBeer", "TZorvicRoznBeerReport", true},
    {"pZorvicTransport", "TZorvicTransportReport", false}, {"pZorvicBuy", "TZorvicBuyReport", true},
    {"pZorvicDelivery", "TZorvicDeliveryReport", true}, {"pZorvicOborot", "TZorvicOborotReport", true},
};

std::string modulePath(const std::string& name) { return host::resolveModulePath(name, ZORVIC_LIB_DIR); }

TEST(ModuleLibraryTest, AllSixModulesLoadTogetherAndTheirClassesLeaveWithThem) {
    std::vector<std::unique_ptr<host::ModuleLibrary>> loaded;
    for (const auto& module : kModules) {
        ASSERT_EQ(host::FindClass(module.className), nullptr) << module.className;
        loaded.push_back(std::make_unique<host::ModuleLibrary>(modulePath(module.name)));
        EXPECT_EQ(loaded.back()->moduleName(), module.name);
    }
    for (const auto& module : kModules) {
        ASSERT_NE(host::FindClass(module.className), nullptr) << module.className;
        auto frame = host::CreateFrame(module.className);
        frame->setReportName(module.name.substr(1));
        host::MemIniFile empty;
        frame->ReadOptions(empty);
        EXPECT_NE(frame->page().find("seYear"), nullptr) << module.name;
        EXPECT_EQ(frame->page().find("rgVidProd") != nullptr, module.producerChoice) << module.name;
        EXPECT_EQ(frame->GetErrorMessage({}), host::W("Не выбран клиент \"От имени\"") + "\r") << module.name;
    }
    loaded.clear();
    for (const auto& module : kModules) EXPECT_EQ(host::FindClass(module.className), nullptr) << module.className;
}

TEST(ModuleLibraryTest, ModuleLoadedTwiceStaysRegisteredUntilTheLastUnload) {
    auto first = std::make_unique<host::ModuleLibrary>(modulePath("pZorvicBuy"));
    auto second = std::make_unique<host::ModuleLibrary>(modulePath("pZorvicBuy"));
    first.reset();
    EXPECT_NE(host::FindClass("TZorvicBuyReport"), nullptr);
    second.reset();
    EXPECT_EQ(host::FindClass("TZorvicBuyReport"), nullptr);
}

TEST(ModuleLibraryTest, MissingFilesAndLibrariesWithoutEntryPointsAreRefused) {
    const std::string missing = std::string(ZORVIC_LIB_DIR) + "/pZorvicNone.so";
    try {
        host::ModuleLibrary library(missing);
        ADD_FAILURE() << "loaded";
    } catch (const host::ModuleLoadError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    EXPECT_THROW(host::ModuleLibrary(std::string(ZORVIC_LIB_DIR) + "/libpHostFrame.so"), host::ModuleLoadError);
    EXPECT_EQ(host::resolveModulePath("pZorvicBuy", "/opt/zorvic/lib"), "/opt/zorvic/lib/pZorvicBuy.so");
    EXPECT_EQ(host::resolveModulePath("./custom/pZorvicBuy.so", "/opt/zorvic/lib"), "./custom/pZorvicBuy.so");
}

}  // namespace
