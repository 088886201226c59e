#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The declaration file while it is written: bytes go out exactly as given, a break is CR LF. It
// is written as "<name>.part" and only a complete file is renamed to its name, so a run that
// fails never leaves a truncated declaration under the name a user would file.
class DeclarationWriter {
public:
    class CannotCreate : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Throws CannotCreate when the file cannot be created.
    explicit DeclarationWriter(std::string path);
    // Without commit(), the file is closed and the part written so far stays as "<name>.part".
    ~DeclarationWriter();
    DeclarationWriter(const DeclarationWriter&) = delete;
    DeclarationWriter& operator=(const DeclarationWriter&) = delete;

    DeclarationWriter& text(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > kFlushAt) flush();
        buffer_.append(bytes);
        return *this;
    }
    DeclarationWriter& line(std::string_view bytes) { return text(bytes).text("\r\n"); }
    DeclarationWriter& lineBreak() { return text("\r\n"); }
    // " name=" followed by the value between double quotes; the value is already escaped.
    DeclarationWriter& attribute(std::string_view name, std::string_view value);

    // Flushes, closes and gives the file its name. Throws std::runtime_error on a write error.
    void commit();

    const std::string& path() const { return path_; }
    const std::string& partPath() const { return partPath_; }

private:
    static constexpr std::size_t kFlushAt = 1 << 20;
    void flush();

    std::string path_;
    std::string partPath_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
};

}  // namespace core
