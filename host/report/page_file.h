#pragma once

// A report's pages kept in a temporary file, one read back at a time: a preview of a long report
// shows any page without holding them all.

#include <cstdint>
#include <string>
#include <vector>

#include "host/host_api.h"
#include "host/report/report_pages.h"

namespace host {

// The pages of another ReportPages, walked once into a file with no name (gone with the last
// descriptor, so nothing is left behind even when the process is killed); only where each page
// starts stays in memory. Pages may be read from several threads at once.
class HOST_API PageFile final : public ReportPages {
public:
    // Walks `source` into a new file in `directory` (empty: $TMPDIR, else /tmp). Throws
    // FileWriteError when the file cannot be made or written (a full disk), naming the directory
    // and the reason; StopRequested when a stop is asked for; what the walk throws.
    explicit PageFile(const ReportPages& source, const std::string& directory = {});
    ~PageFile() override;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    const std::string& name() const override { return name_; }
    const std::string& fileStem() const override { return fileStem_; }
    double pageWidth() const override { return pageWidth_; }
    double pageHeight() const override { return pageHeight_; }
    int pageCount() const override { return static_cast<int>(starts_.size()) - 1; }
    void walk(PageSink& sink) const override;

    // The page (from 0) as it was handed over. Throws ReportError for a page that does not exist
    // or cannot be read back.
    PreparedPage page(int index) const;

    // The bytes the pages take on the disk.
    std::uint64_t fileSize() const { return starts_.back(); }

private:
    std::string name_;
    std::string fileStem_;
    double pageWidth_ = 0;
    double pageHeight_ = 0;
    int fd_ = -1;
    std::vector<std::uint64_t> starts_{0};  // page i is at [starts_[i], starts_[i + 1])
};

}  // namespace host
