#pragma once

// The declaration file's writer.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/files/replacing_file.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace core {

// The declaration file while it is written: bytes go out exactly as given, a break is CR LF. It
// is written as "<name>.part" and only a complete file, flushed to the disk, is renamed to its
// name, so a run that fails never leaves a truncated declaration under the name a user would
// file; a failure the run handles removes the part too.
class DeclarationWriter {
public:
    class CannotCreate : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Throws CannotCreate when the file cannot be created.
    explicit DeclarationWriter(std::string path);
    // Without commit(), the part written so far is removed.
    ~DeclarationWriter();
    DeclarationWriter(const DeclarationWriter&) = delete;
    DeclarationWriter& operator=(const DeclarationWriter&) = delete;

    DeclarationWriter& text(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > kFlushAt) flush();
        buffer_.append(bytes);
        return *this;
    }
    // Every line is a point where a user's stop request ends the writing.
    DeclarationWriter& line(std::string_view bytes) {
        host::throwIfStopRequested();
        host::advanceStage();
        return text(bytes).text("\r\n");
    }
    DeclarationWriter& lineBreak() { return text("\r\n"); }
    // " name=" followed by the value between double quotes; the value is already escaped.
    DeclarationWriter& attribute(std::string_view name, std::string_view value) {
        if (buffer_.size() + name.size() + value.size() + 4 > kFlushAt) flush();
        buffer_ += ' ';
        buffer_.append(name);
        buffer_.append("=\"", 2);
        buffer_.append(value);
        buffer_ += '"';
        return *this;
    }

    // Flushes, closes and gives the file its name. Throws std::runtime_error on a write error.
    void commit();

    const std::string& path() const { return path_; }
    const std::string& partPath() const { return file_->temporaryPath(); }

private:
    static constexpr std::size_t kFlushAt = 1 << 20;
    void flush();

    std::string path_;
    std::unique_ptr<host::ReplacingFile> file_;
    std::string buffer_;
};

}  // namespace core
