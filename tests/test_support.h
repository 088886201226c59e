#pragma once

// What the tests share: scratch directories, a small disk, file and options helpers.

#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zorvic_test {

// A directory of each test's own: ctest runs the tests side by side.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvic-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch directory");
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A nearly full disk for one test: a small file system of its own, mounted in a mount namespace
// of the test process (ctest runs each test in a process of its own), so it vanishes with the
// process whatever happens, and the programs the test starts see it too. Needs root, as the
// test script has; elsewhere `available()` is false and the test says it was skipped.
class SmallDisk {
public:
    explicit SmallDisk(std::size_t bytes) {
        static const bool privateMounts =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        if (!privateMounts) return;
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = mount("tmpfs", (scratch_ / "").c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) umount2((scratch_ / "").c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool available() const { return mounted_; }
    std::filesystem::path operator/(const std::string& name) const { return scratch_ / name; }

private:
    ScratchDir scratch_;
    bool mounted_ = false;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The keys of one section of an options text, in the order the text lists them, with their
// values as written.
inline std::vector<std::pair<std::string, std::string>> sectionEntries(const std::string& iniText,
                                                                       const std::string& section) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::istringstream lines(iniText);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos)
            entries.emplace_back(trimmed(line.substr(0, eq)), trimmed(line.substr(eq + 1)));
    }
    return entries;
}

}  // namespace zorvic_test
