// The program through a Firebird server: the tests' own server (tests/server/start.sh, started by
// ctest before these tests) serves a copy of the demo database; whatever the program writes
// through it must be byte for byte what the embedded engine gives from the same database, and a
// server that cannot be used is named in one line, with nothing written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "loopback_port.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

using zorvic_test::Outcome;

struct TestServer {
    std::string port;
    std::string password;
    fs::path databases;  // the only place the server opens databases
};

// The first line of a file the server's start script wrote.
std::string firstLine(const fs::path& file) {
    const std::string text = zorvic_test::readFile(file);
    return text.substr(0, text.find('\n'));
}

std::optional<TestServer> testServer() {
    const fs::path dir = ZORVIC_TEST_SERVER_DIR;
    if (!fs::exists(dir / "port") || !fs::exists(dir / "password")) return std::nullopt;
    return TestServer{firstLine(dir / "port"), firstLine(dir / "password"), dir / "databases"};
}

// A directory of the test's own where the server may open databases; gone with the test.
class ServedDir {
public:
    explicit ServedDir(const fs::path& databases) {
        std::string pattern = (databases / "test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a directory in " + databases.string());
        path_ = pattern;
    }
    ~ServedDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ServedDir(const ServedDir&) = delete;
    ServedDir& operator=(const ServedDir&) = delete;
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

class ThroughTheServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new std::optional<TestServer>(testServer());
        if (!*server) return;
        scratch = new zorvic_test::ScratchDir;
        served = new ServedDir((*server)->databases);
        const Outcome made = run("bash " ZORVIC_SOURCE_DIR "/demo/make_demo_db.sh " + embeddedDatabase());
        made_ = made.status == 0;
        if (!made_) {
            std::fprintf(stderr, "%s%s", made.out.c_str(), made.err.c_str());
            return;
        }
        // The same database for both: a copy taken before any run, since the server keeps the
        // files it serves to itself while it has them open.
        fs::copy_file(embeddedDatabase(), *served / "demo.fdb");
    }
    static void TearDownTestSuite() {
        delete served;
        delete scratch;
        delete server;
    }
    void SetUp() override {
        ASSERT_TRUE(server->has_value()) << "the tests' Firebird server is not running (no port file in "
                                         << ZORVIC_TEST_SERVER_DIR << "): run these tests through ctest";
        ASSERT_TRUE(made_) << "the demo database could not be made";
    }

    static Outcome run(const std::string& command) { return zorvic_test::runProgram(command); }

    static std::string embeddedDatabase() { return (*scratch / "demo.fdb").string(); }
    static std::string serverDatabase() {
        return "localhost/" + (*server)->port + ":" + (*served / "demo.fdb").string();
    }
    static std::string login(const std::string& user, const std::string& password) {
        return "env ISC_USER=" + user + " ISC_PASSWORD=" + password + " ";
    }
    static std::string ourLogin() { return login("SYSDBA", (*server)->password); }

    // One run of the program for the demo company's first quarter of 2024, dated 15 April.
    static Outcome generate(const std::string& prefix, const std::string& module, const std::string& database,
                            const std::string& extra) {
        return run(prefix + ZORVIC_BIN_DIR "/zorvic generate " + module + " --db " + database +
                   " --client 1 --set seYear=2024 --date 15.04.2024 " + extra);
    }

    static std::optional<TestServer>* server;
    static zorvic_test::ScratchDir* scratch;
    static ServedDir* served;
    static bool made_;
};

std::optional<TestServer>* ThroughTheServer::server = nullptr;
zorvic_test::ScratchDir* ThroughTheServer::scratch = nullptr;
ServedDir* ThroughTheServer::served = nullptr;
bool ThroughTheServer::made_ = false;

std::vector<fs::path> filesIn(const fs::path& directory) {
    std::vector<fs::path> files;
    if (fs::exists(directory))
        for (const auto& entry : fs::recursive_directory_iterator(directory)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Where two files part, so that a difference shows without both files in the log.
std::string difference(const std::string& expected, const std::string& actual) {
    const auto at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto offset = static_cast<std::size_t>(at.first - expected.begin());
    const std::size_t from = offset < 40 ? 0 : offset - 40;
    return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size()) +
           ", first difference at byte " + std::to_string(offset) + ": \"" + expected.substr(from, 80) + "\" against \"" +
           actual.substr(from, 80) + "\"";
}

TEST_F(ThroughTheServer, EveryDeclarationIsTheOneTheEmbeddedEngineWrites) {
    for (const std::string module :
         {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicTransport", "pZorvicBuy", "pZorvicDelivery", "pZorvicOborot"}) {
        // Form 08 has only the file; the others are switched to it.
        const std::string kind = module == "pZorvicTransport" ? "" : "--set rgReportKind=1 ";
        const fs::path embeddedOut = *scratch / ("embedded-" + module);
        const fs::path serverOut = *scratch / ("server-" + module);
        fs::create_directories(embeddedOut);
        fs::create_directories(serverOut);

        const Outcome embedded = generate("", module, embeddedDatabase(), kind + "--set dePath=" + embeddedOut.string());
        ASSERT_EQ(embedded.status, 0) << module << ": " << embedded.err;
        const Outcome viaServer =
            generate(ourLogin(), module, serverDatabase(), kind + "--set dePath=" + serverOut.string());
        ASSERT_EQ(viaServer.status, 0) << module << ": " << viaServer.err;

        const auto embeddedFiles = filesIn(embeddedOut);
        const auto serverFiles = filesIn(serverOut);
        ASSERT_EQ(embeddedFiles.size(), 1u) << module;
        ASSERT_EQ(serverFiles.size(), 1u) << module;
        EXPECT_EQ(viaServer.out, serverFiles[0].string() + "\n") << module;
        // The names differ in their GUID only.
        const std::string embeddedName = embeddedFiles[0].filename().string();
        const std::string serverName = serverFiles[0].filename().string();
        EXPECT_EQ(embeddedName.substr(0, embeddedName.rfind('_')), serverName.substr(0, serverName.rfind('_')))
            << module;
        const std::string expected = zorvic_test::readFile(embeddedFiles[0]);
        const std::string actual = zorvic_test::readFile(serverFiles[0]);
        EXPECT_GT(expected.size(), 1000u) << module << " wrote a declaration without its body";
        EXPECT_TRUE(expected == actual) << module << ": " << difference(expected, actual);
    }
}

TEST_F(ThroughTheServer, EveryPrintFormIsTheOneTheEmbeddedEngineMakes) {
    for (const std::string module : {"pZorvicRozn", "pZorvicRoznBeer", "pZorvicBuy", "pZorvicDelivery", "pZorvicOborot"}) {
        const fs::path embeddedHtml = *scratch / (module + "-embedded.html");
        const fs::path serverHtml = *scratch / (module + "-server.html");
        const std::string page = "--set rgTypePeriod=0 --set rgReportKind=0 --set edRukFam=Соколов --preview ";
        const Outcome embedded = generate("", module, embeddedDatabase(), page + embeddedHtml.string());
        ASSERT_EQ(embedded.status, 0) << module << ": " << embedded.err;
        const Outcome viaServer = generate(ourLogin(), module, serverDatabase(), page + serverHtml.string());
        ASSERT_EQ(viaServer.status, 0) << module << ": " << viaServer.err;
        EXPECT_EQ(viaServer.out, serverHtml.string() + "\n");

        const std::string expected = zorvic_test::readFile(embeddedHtml);
        const std::string actual = zorvic_test::readFile(serverHtml);
        EXPECT_NE(expected.find("Соколов"), std::string::npos) << module << " printed no page";
        EXPECT_TRUE(expected == actual) << module << ": " << difference(expected, actual);
    }
}

TEST_F(ThroughTheServer, AServerThatCannotBeUsedIsNamedInOneLineAndNothingIsWritten) {
    const zorvic_test::LoopbackPort deaf(zorvic_test::LoopbackPort::deaf);
    const std::string missing = (*served / "nowhere.fdb").string();
    const struct {
        const char* what;
        std::string prefix;
        std::string database;
        std::vector<std::string> named;  // what the message must say
    } cases[] = {
        {"a wrong password", login("SYSDBA", "not-" + (*server)->password), serverDatabase(),
         {"refused user SYSDBA", "password is wrong", "port " + (*server)->port}},
        {"an unknown user", login("NOBODY", (*server)->password), serverDatabase(),
         {"refused user NOBODY", "user name", "ISC_USER"}},
        {"no password at all", "env -u ISC_PASSWORD ISC_USER=SYSDBA ", serverDatabase(),
         {"refused user SYSDBA", "no password", "ISC_PASSWORD"}},
        {"a server that is not running", ourLogin(), "localhost/" + deaf.port() + ":" + (*served / "demo.fdb").string(),
         {"no Firebird server answers at localhost port " + deaf.port()}},
        {"a path the server does not know", ourLogin(), "localhost/" + (*server)->port + ":" + missing,
         {"has no database " + missing, "port " + (*server)->port}},
        {"a path the server may not open", ourLogin(), "localhost/" + (*server)->port + ":" + embeddedDatabase(),
         {"does not allow a database at " + embeddedDatabase()}},
    };
    for (const auto& c : cases) {
        const fs::path out = *scratch / "refused-out";
        const fs::path temporary = *scratch / "refused-tmp";
        fs::create_directories(out);
        fs::create_directories(temporary);
        const Outcome result = generate(c.prefix + "TMPDIR=" + temporary.string() + " ", "pZorvicBuy", c.database,
                                        "--set rgReportKind=1 --set dePath=" + out.string());
        EXPECT_EQ(result.status, 1) << c.what << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.what;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << c.what << ": " << result.err;
        EXPECT_EQ(result.err.rfind("cannot open the host database " + c.database + ": ", 0), 0u)
            << c.what << ": " << result.err;
        for (const auto& part : c.named)
            EXPECT_NE(result.err.find(part), std::string::npos) << c.what << " does not say \"" << part << "\": " << result.err;
        EXPECT_TRUE(filesIn(out).empty()) << c.what << " left a file in the declaration directory";
        EXPECT_TRUE(filesIn(temporary).empty()) << c.what << " left its work directory behind";
    }
}

}  // namespace
