// The declaration file's bytes on their way to the disk.
#include "core/declaration_file/declaration_writer.h"

namespace core {

DeclarationWriter::DeclarationWriter(std::string path) : path_(std::move(path)) {
    try {
        file_ = std::make_unique<host::ReplacingFile>(path_);
    } catch (const host::FileWriteError& error) {
        throw CannotCreate(error.what());
    }
    buffer_.reserve(kFlushAt);
    host::enterStage(host::RunStage::Writing);
}

DeclarationWriter::~DeclarationWriter() = default;

void DeclarationWriter::flush() {
    if (buffer_.empty()) return;
    try {
        file_->write(buffer_);
    } catch (const host::FileWriteError& error) {
        throw std::runtime_error(std::string("cannot write the declaration file: ") + error.what());
    }
    buffer_.clear();
}

void DeclarationWriter::commit() {
    flush();
    try {
        file_->commit();
    } catch (const host::FileWriteError& error) {
        throw std::runtime_error(std::string("cannot write the declaration file: ") + error.what());
    }
}

}  // namespace core
