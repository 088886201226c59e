// Dataset rows in a compact form, held or in a temporary file, decoded row by row as read.
#include "host/report/row_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "host/report/report_error.h"
#include "host/text/cp1251.h"

namespace host {
namespace {

constexpr int kRowsPerBlock = 256;
// Sums and lookups go back over rows just read, and a sorted section reads its rows out of the
// stored order: the blocks they move between stay decoded.
constexpr std::size_t kCachedBlocks = 16;

enum Tag : unsigned char { kEmpty, kNull, kInteger, kReal, kDate, kText, kArray };

void putCount(std::string& out, std::uint64_t n) {
    while (n >= 0x80) {
        out.push_back(static_cast<char>((n & 0x7f) | 0x80));
        n >>= 7;
    }
    out.push_back(static_cast<char>(n));
}

void putRaw(std::string& out, const void* data, std::size_t size) {
    out.append(static_cast<const char*>(data), size);
}

void put(std::string& out, const Variant& v) {
    if (v.isEmpty()) {
        out.push_back(static_cast<char>(kEmpty));
    } else if (v.isNull()) {
        out.push_back(static_cast<char>(kNull));
    } else if (v.isInteger()) {
        out.push_back(static_cast<char>(kInteger));
        const std::int64_t x = v.toInteger();
        // Zigzag, so that small negative numbers stay short too.
        putCount(out, (static_cast<std::uint64_t>(x) << 1) ^ static_cast<std::uint64_t>(x >> 63));
    } else if (v.isFloat()) {
        out.push_back(static_cast<char>(kReal));
        const double x = v.toDouble();
        putRaw(out, &x, sizeof x);
    } else if (v.isDate()) {
        out.push_back(static_cast<char>(kDate));
        const double x = v.toDateTime().days;
        putRaw(out, &x, sizeof x);
    } else if (v.isText()) {
        out.push_back(static_cast<char>(kText));
        putCount(out, v.text().size());
        out += v.text();
    } else {
        out.push_back(static_cast<char>(kArray));
        putCount(out, v.array().size());
        for (const Variant& e : v.array()) put(out, e);
    }
}

struct Reader {
    const char* at;

    std::uint64_t count() {
        std::uint64_t n = 0;
        for (int shift = 0;; shift += 7) {
            const auto b = static_cast<unsigned char>(*at++);
            n |= std::uint64_t{b & 0x7fu} << shift;
            if (!(b & 0x80)) return n;
        }
    }
    double real() {
        double x = 0;
        std::memcpy(&x, at, sizeof x);
        at += sizeof x;
        return x;
    }
    Variant value() {
        switch (static_cast<Tag>(*at++)) {
            case kEmpty: return Variant();
            case kNull: return Variant(Variant::Null{});
            case kInteger: {
                const std::uint64_t z = count();
                return Variant(static_cast<std::int64_t>((z >> 1) ^ (~(z & 1) + 1)));
            }
            case kReal: return Variant(real());
            case kDate: return Variant(DateTime{real()});
            case kText: {
                const std::size_t n = count();
                std::string s(at, n);
                at += n;
                return Variant(std::move(s));
            }
            case kArray: {
                Variant::Array a(count());
                for (Variant& e : a) e = value();
                return Variant(std::move(a));
            }
        }
        throw ReportError("a stored report row is damaged");
    }
};

[[noreturn]] void failFile(const std::string& what, int error) {
    throw ReportError("cannot keep the report's rows in a temporary file (" + what + "): " + std::strerror(error));
}

}  // namespace

RowStore::RowStore(std::string directory, std::size_t memoryLimit)
    : directory_(std::move(directory)), memoryLimit_(memoryLimit) {}

RowStore::~RowStore() {
    if (fd_ >= 0) ::close(fd_);
}

void RowStore::openFile() {
    std::string dir = directory_;
    if (dir.empty()) {
        std::error_code ignored;
        dir = std::filesystem::temp_directory_path(ignored).string();
        if (dir.empty()) dir = "/tmp";
    }
#ifdef O_TMPFILE
    fd_ = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#endif
    if (fd_ < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        std::string path = dir + "/zorvic-rows-XXXXXX";
        fd_ = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd_ < 0) failFile(nameInMessage(dir), errno);
        ::unlink(path.c_str());
    }
}

void RowStore::writeBlock(Block& block) {
    block.offset = fileSize_;
    block.bytes = static_cast<std::uint32_t>(block.held.size());
    std::size_t done = 0;
    while (done < block.held.size()) {
        const ssize_t n = ::pwrite(fd_, block.held.data() + done, block.held.size() - done,
                                   static_cast<off_t>(fileSize_ + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            failFile("write", errno);
        }
        done += static_cast<std::size_t>(n);
    }
    fileSize_ += block.held.size();
    heldBytes_ -= block.held.size();
    std::string().swap(block.held);
}

void RowStore::append(const std::vector<Variant>& row) {
    const int index = size();
    if (index % kRowsPerBlock == 0) {
        // The block before is complete: once the store is in the file, so is every full block.
        if (fd_ >= 0 && !blocks_.empty()) writeBlock(blocks_.back());
        blocks_.emplace_back();
    }
    Block& block = blocks_.back();
    rowStart_.push_back(static_cast<std::uint32_t>(block.held.size()));
    const std::size_t before = block.held.size();
    for (const Variant& v : row) put(block.held, v);
    heldBytes_ += block.held.size() - before;
    if (fd_ < 0 && heldBytes_ > memoryLimit_) {
        openFile();
        for (std::size_t b = 0; b + 1 < blocks_.size(); ++b) writeBlock(blocks_[b]);
    }
}

void RowStore::finish() {
    if (fd_ >= 0 && !blocks_.empty() && !blocks_.back().held.empty()) writeBlock(blocks_.back());
}

const RowStore::DecodedBlock& RowStore::decoded(int index) const {
    if (last_ && last_->block == index) return *last_;
    DecodedBlock* slot = nullptr;
    for (DecodedBlock& d : decoded_) {
        if (d.block == index) {
            d.used = ++clock_;
            last_ = &d;
            return d;
        }
        if (!slot || d.used < slot->used) slot = &d;
    }
    if (decoded_.size() < kCachedBlocks) {
        decoded_.reserve(kCachedBlocks);  // the slots stay where they are: last_ points at one
        slot = &decoded_.emplace_back();
    }
    slot->block = -1;
    last_ = nullptr;
    const Block& block = blocks_[static_cast<std::size_t>(index)];
    const std::string* bytes = &block.held;
    if (fd_ >= 0 && block.held.empty()) {
        readBuffer_.resize(block.bytes);
        std::size_t done = 0;
        while (done < block.bytes) {
            const ssize_t n = ::pread(fd_, readBuffer_.data() + done, block.bytes - done,
                                      static_cast<off_t>(block.offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) failFile("read", n < 0 ? errno : EIO);
            done += static_cast<std::size_t>(n);
        }
        bytes = &readBuffer_;
    }
    const std::size_t first = static_cast<std::size_t>(index) * kRowsPerBlock;
    const std::size_t rows = std::min<std::size_t>(kRowsPerBlock, rowStart_.size() - first);
    slot->values.clear();
    slot->rowStart.clear();
    Reader reader{bytes->data()};
    for (std::size_t r = 0; r < rows; ++r) {
        slot->rowStart.push_back(static_cast<std::uint32_t>(slot->values.size()));
        const char* rowEnd = r + 1 < rows ? bytes->data() + rowStart_[first + r + 1] : bytes->data() + bytes->size();
        while (reader.at < rowEnd) slot->values.push_back(reader.value());
    }
    slot->rowStart.push_back(static_cast<std::uint32_t>(slot->values.size()));
    slot->block = index;
    slot->used = ++clock_;
    last_ = slot;
    return *slot;
}

Variant RowStore::value(int index, int field) const {
    const DecodedBlock& d = decoded(index / kRowsPerBlock);
    const std::size_t r = static_cast<std::size_t>(index % kRowsPerBlock);
    const std::size_t at = d.rowStart[r] + static_cast<std::size_t>(field);
    if (field < 0 || at >= d.rowStart[r + 1]) return Variant(Variant::Null{});
    return d.values[at];
}

}  // namespace host
