// A suite of tests over one database made by a demo script once for the whole suite.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace zorvic_test {

// `Script` names the script under demo/ ("make_demo_db.sh"), `File` the database's file name.
template <const char* Script, const char* File>
class DemoDatabaseSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = new ScratchDir;
        const Outcome made = runProgram(std::string("bash " ZORVIC_SOURCE_DIR "/demo/") + Script + " " + database(),
                                        RunOptions().errorsTo(ErrorStream::IntoOutput));
        ASSERT_EQ(made.status, 0) << made.out;
    }
    static void TearDownTestSuite() {
        delete scratch;
        scratch = nullptr;
    }
    static std::string database() { return (*scratch / File).string(); }

    static inline ScratchDir* scratch = nullptr;
};

inline constexpr char kDemoScript[] = "make_demo_db.sh";
inline constexpr char kDemoFile[] = "demo.fdb";
inline constexpr char kPlantedScript[] = "make_planted_db.sh";
inline constexpr char kPlantedFile[] = "planted.fdb";

// The plain demo pair.
using DemoSuite = DemoDatabaseSuite<kDemoScript, kDemoFile>;
// The demo with its planted mistakes.
using PlantedSuite = DemoDatabaseSuite<kPlantedScript, kPlantedFile>;

}  // namespace zorvic_test
