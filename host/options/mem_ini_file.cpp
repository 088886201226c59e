// The options file held in memory.
#include "host/options/mem_ini_file.h"

// Text is UTF-8 in and out; the conversion to windows-1251 is ours.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/files/replacing_file.h"
#include "host/text/cp1251.h"

namespace host {

struct MemIniFile::Impl {
    CSimpleIniA ini{/*isUtf8=*/true, /*multiKey=*/false, /*multiLine=*/false};
};

MemIniFile::MemIniFile() : impl_(std::make_unique<Impl>()) {}
MemIniFile::~MemIniFile() = default;

void MemIniFile::loadFromFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw std::runtime_error("cannot read the options file " + path + ": it is a directory");
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return;
        throw std::runtime_error("cannot read the options file " + path + ": " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw std::runtime_error("cannot read the options file " + path);
    loadFromText(text.str());
}

void MemIniFile::loadFromText(const std::string& utf8) {
    impl_->ini.Reset();
    if (impl_->ini.LoadData(utf8) < 0) throw std::runtime_error("the options file cannot be read as INI text");
}

std::string MemIniFile::toText() const {
    std::string out;
    if (impl_->ini.Save(out) < 0) throw std::runtime_error("the options cannot be written as INI text");
    return out;
}

void MemIniFile::saveToFile(const std::string& path) const {
    const std::string text = toText();
    try {
        // The user's file is replaced whole or not at all; a failed save leaves no "*.tmp" behind.
        ReplacingFile file(path, ".tmp");
        file.write(text);
        file.commit();
    } catch (const FileWriteError& error) {
        throw std::runtime_error("cannot save the options file " + path + ": " + error.what());
    }
}

bool MemIniFile::valueExists(const std::string& section, const std::string& key) const {
    return impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::string MemIniFile::readString(const std::string& section, const std::string& key, const std::string& fallback) const {
    const char* value = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!value) return fallback;
    return utf8ToCp1251(value, "[" + section + "] " + key);
}

int MemIniFile::readInteger(const std::string& section, const std::string& key, int fallback) const {
    const char* value = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!value) return fallback;
    const std::string text(value);
    int result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return fallback;
    return result;
}

bool MemIniFile::readBool(const std::string& section, const std::string& key, bool fallback) const {
    const char* value = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!value) return fallback;
    const std::string text(value);
    if (text == "true" || text == "True" || text == "TRUE") return true;
    if (text == "false" || text == "False" || text == "FALSE") return false;
    long long number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return fallback;
    return number != 0;
}

void MemIniFile::writeString(const std::string& section, const std::string& key, const std::string& cp1251Value) {
    impl_->ini.SetValue(section.c_str(), key.c_str(), cp1251ToUtf8(cp1251Value).c_str());
}

void MemIniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    impl_->ini.SetValue(section.c_str(), key.c_str(), std::to_string(value).c_str());
}

void MemIniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    impl_->ini.SetValue(section.c_str(), key.c_str(), value ? "1" : "0");
}

}  // namespace host
