#include "core/declaration_file/declaration_writer.h"

#include <cerrno>
#include <cstring>

namespace core {

DeclarationWriter::DeclarationWriter(std::string path) : path_(std::move(path)), partPath_(path_ + ".part") {
    file_ = std::fopen(partPath_.c_str(), "wb");
    if (!file_) throw CannotCreate(partPath_ + ": " + std::strerror(errno));
    buffer_.reserve(kFlushAt);
}

DeclarationWriter::~DeclarationWriter() {
    if (!file_) return;
    // Leaving by an error: keep what was written, under the part's name.
    std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    std::fclose(file_);
}

DeclarationWriter& DeclarationWriter::attribute(std::string_view name, std::string_view value) {
    text(" ");
    text(name);
    text("=\"");
    text(value);
    return text("\"");
}

void DeclarationWriter::flush() {
    if (buffer_.empty()) return;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        throw std::runtime_error("cannot write the declaration file " + partPath_ + ": " + std::strerror(errno));
    buffer_.clear();
}

void DeclarationWriter::commit() {
    flush();
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fflush(file) != 0 || std::ferror(file)) {
        const std::string reason = std::strerror(errno);
        std::fclose(file);
        throw std::runtime_error("cannot write the declaration file " + partPath_ + ": " + reason);
    }
    if (std::fclose(file) != 0)
        throw std::runtime_error("cannot write the declaration file " + partPath_ + ": " + std::strerror(errno));
    if (std::rename(partPath_.c_str(), path_.c_str()) != 0)
        throw std::runtime_error("cannot name the declaration file " + path_ + ": " + std::strerror(errno));
}

}  // namespace core
