// A report's pages written compactly to a temporary file with no name and read back one by one.
#include "host/report/page_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "host/files/replacing_file.h"
#include "host/report/report_error.h"
#include "host/stop/stop_request.h"

namespace host {
namespace {

// Bits of a text's flags word.
constexpr unsigned kBold = 1u << 0;
constexpr unsigned kAlignShift = 1;   // two bits
constexpr unsigned kVAlignShift = 3;  // two bits
constexpr unsigned kFrameLeft = 1u << 5, kFrameTop = 1u << 6, kFrameRight = 1u << 7, kFrameBottom = 1u << 8;
// Five bits from here: left, top, width, height, font size the same as the text before's.
constexpr unsigned kSameFirst = 1u << 9;

// Pages are gathered and written a megabyte at a time: one write per page would make a long
// report's thousands of small pages cost a system call each.
constexpr std::size_t kWriteChunk = std::size_t(1) << 20;

template <typename T>
void put(std::string& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.append(bytes, sizeof(T));
}

// Sizes and counts take one byte below 128, seven bits a byte above.
void putCount(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

// A table's cells mostly share their row's top, their column's width, one height and one font:
// a value the same as the text before's is a bit in the flags, not eight bytes.
void putPage(std::string& out, const PreparedPage& page) {
    putCount(out, page.texts.size());
    const PreparedText first;
    const PreparedText* before = &first;
    for (const PreparedText& t : page.texts) {
        unsigned flags = (t.bold ? kBold : 0) | (static_cast<unsigned>(t.align) << kAlignShift) |
                         (static_cast<unsigned>(t.valign) << kVAlignShift) | (t.frame.left ? kFrameLeft : 0) |
                         (t.frame.top ? kFrameTop : 0) | (t.frame.right ? kFrameRight : 0) |
                         (t.frame.bottom ? kFrameBottom : 0);
        const double values[] = {t.left, t.top, t.width, t.height, t.fontSize};
        const double previous[] = {before->left, before->top, before->width, before->height, before->fontSize};
        for (unsigned i = 0; i < 5; ++i)
            if (std::memcmp(&values[i], &previous[i], sizeof(double)) == 0) flags |= kSameFirst << i;
        put(out, static_cast<std::uint16_t>(flags));
        for (unsigned i = 0; i < 5; ++i)
            if (!(flags & (kSameFirst << i))) put(out, values[i]);
        putCount(out, t.text.size());
        out.append(t.text);
        before = &t;
    }
}

// Reads a page's record back, never past its end: a record cut short is said, not trusted.
class Reader {
public:
    Reader(const std::string& bytes, int index) : bytes_(bytes), index_(index) {}
    template <typename T>
    T get() {
        T value;
        need(sizeof(T));
        std::memcpy(&value, bytes_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::uint64_t count() {
        std::uint64_t value = 0;
        for (unsigned shift = 0; shift < 64; shift += 7) {
            const auto byte = get<std::uint8_t>();
            value |= std::uint64_t(byte & 0x7f) << shift;
            if (!(byte & 0x80)) return value;
        }
        damaged();
    }
    std::string text(std::uint64_t size) {
        need(size);
        std::string text = bytes_.substr(at_, size);
        at_ += size;
        return text;
    }
    bool done() const { return at_ == bytes_.size(); }
    [[noreturn]] void damaged() const {
        throw ReportError("page " + std::to_string(index_ + 1) + " read back from the temporary page file is damaged");
    }

private:
    void need(std::uint64_t size) const {
        if (size > bytes_.size() - at_) damaged();
    }
    const std::string& bytes_;
    int index_;
    std::size_t at_ = 0;
};

std::string tempDirectory(const std::string& directory) {
    if (!directory.empty()) return directory;
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// A file no one else can open and no crash can leave behind: O_TMPFILE where the file system has
// it, else a unique name taken away at once.
int openNamelessFile(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        throw FileWriteError("cannot make a temporary page file in " + directory + ": " + std::strerror(errno));
    std::string path = directory + "/zorvic-pages-XXXXXX";
    fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) throw FileWriteError("cannot make a temporary page file in " + directory + ": " + std::strerror(errno));
    ::unlink(path.c_str());
    return fd;
}

}  // namespace

PageFile::PageFile(const ReportPages& source, const std::string& directory)
    : name_(source.name()),
      fileStem_(source.fileStem()),
      pageWidth_(source.pageWidth()),
      pageHeight_(source.pageHeight()) {
    const std::string where = tempDirectory(directory);
    fd_ = openNamelessFile(where);
    try {
        starts_.reserve(static_cast<std::size_t>(source.pageCount()) + 1);
        std::string pending;
        std::uint64_t written = 0;
        auto flush = [&] {
            std::size_t done = 0;
            while (done < pending.size()) {
                const ssize_t n = ::pwrite(fd_, pending.data() + done, pending.size() - done,
                                           static_cast<off_t>(written + done));
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0)
                    throw FileWriteError("cannot write the temporary page file in " + where + ": " +
                                         std::strerror(n < 0 ? errno : ENOSPC));
                done += static_cast<std::size_t>(n);
            }
            written += pending.size();
            pending.clear();
        };
        PageFunction sink([&](const PreparedPage& page) {
            throwIfStopRequested();
            putPage(pending, page);
            starts_.push_back(written + pending.size());
            if (pending.size() >= kWriteChunk) flush();
        });
        source.walk(sink);
        flush();
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

PageFile::~PageFile() { ::close(fd_); }

PreparedPage PageFile::page(int index) const {
    if (index < 0 || index >= pageCount())
        throw ReportError("\"" + name_ + "\" has no page " + std::to_string(index + 1) + ": it has " +
                          std::to_string(pageCount()));
    const std::uint64_t start = starts_[static_cast<std::size_t>(index)];
    std::string bytes(static_cast<std::size_t>(starts_[static_cast<std::size_t>(index) + 1] - start), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        // pread: the window and an export thread read at once, with no file position to share.
        const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(start + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            throw ReportError("cannot read page " + std::to_string(index + 1) + " back from the temporary page file: " +
                              (n < 0 ? std::strerror(errno) : "the file is shorter than written"));
        done += static_cast<std::size_t>(n);
    }

    Reader in(bytes, index);
    PreparedPage page;
    const std::uint64_t count = in.count();
    if (count > bytes.size()) in.damaged();
    page.texts.resize(static_cast<std::size_t>(count));
    const PreparedText first;
    const PreparedText* before = &first;
    for (PreparedText& t : page.texts) {
        const auto flags = in.get<std::uint16_t>();
        double* values[] = {&t.left, &t.top, &t.width, &t.height, &t.fontSize};
        const double previous[] = {before->left, before->top, before->width, before->height, before->fontSize};
        for (unsigned i = 0; i < 5; ++i) *values[i] = (flags & (kSameFirst << i)) ? previous[i] : in.get<double>();
        const unsigned align = (flags >> kAlignShift) & 3u, valign = (flags >> kVAlignShift) & 3u;
        if (align > 2 || valign > 2) in.damaged();
        t.bold = flags & kBold;
        t.align = static_cast<TextAlign>(align);
        t.valign = static_cast<TextVAlign>(valign);
        t.frame = {(flags & kFrameLeft) != 0, (flags & kFrameTop) != 0, (flags & kFrameRight) != 0,
                   (flags & kFrameBottom) != 0};
        t.text = in.text(in.count());
        before = &t;
    }
    if (!in.done()) in.damaged();
    return page;
}

void PageFile::walk(PageSink& sink) const {
    for (int i = 0; i < pageCount(); ++i) {
        throwIfStopRequested();
        sink.takePage(page(i));
    }
}

}  // namespace host
