#pragma once

// The options file held in memory.

#include <memory>
#include <string>

#include "host/host_api.h"

namespace host {

// The options file the host hands a frame: an INI file held in memory, UTF-8 on disk, windows-1251
// to the plug-ins. Sections and keys are found without regard to case; keys keep the order in
// which they first appeared, so a saved file reads like the page it came from.
class HOST_API MemIniFile {
public:
    MemIniFile();
    ~MemIniFile();
    MemIniFile(const MemIniFile&) = delete;
    MemIniFile& operator=(const MemIniFile&) = delete;

    // A file that does not exist yet gives an empty options file. Throws std::runtime_error when
    // the file exists but cannot be read.
    void loadFromFile(const std::string& path);
    void loadFromText(const std::string& utf8);
    // Writes beside the file and renames, so an interrupted save never leaves half a file.
    void saveToFile(const std::string& path) const;
    std::string toText() const;

    bool valueExists(const std::string& section, const std::string& key) const;

    // Throws EncodingError naming section and key when the value has a character windows-1251
    // cannot hold.
    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // A missing key or one that is no whole number gives the fallback.
    int readInteger(const std::string& section, const std::string& key, int fallback) const;
    // 0 and false are false, any other number and true are true; anything else gives the fallback.
    bool readBool(const std::string& section, const std::string& key, bool fallback) const;

    void writeString(const std::string& section, const std::string& key, const std::string& cp1251Value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    // Written as 1 and 0.
    void writeBool(const std::string& section, const std::string& key, bool value);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
