// Where the program's print form goes: a file in the format its extension names.
#pragma once

#include <optional>
#include <string>

#include "host/report/report_engine.h"

namespace app {

// The program shows a prepared report by writing it to a file in the format of its extension, by
// default an HTML file named after the template in the current directory. The file appears only
// complete; on a failure show() throws (FileWriteError, ReportError, StopRequested) and nothing
// is under the name but what was there before.
//
// A tag (the organization's id, when one command prints for several) goes into the file's name
// before its extension, out.pdf becoming out.60.pdf, so that no run writes over another's file.
class PrintOutputFile final : public host::ReportPreview {
public:
    explicit PrintOutputFile(std::optional<std::string> requested, std::string tag = {})
        : requested_(std::move(requested)), tag_(std::move(tag)) {}

    void show(const host::PreparedReport& report) override;
    // The file is written page by page as the report is laid out.
    bool takesPagesAsLaidOut() const override { return true; }
    void showPages(const host::ReportPages& pages) override;

    // The full path of the file written; empty while nothing was shown.
    const std::string& written() const { return written_; }

private:
    std::optional<std::string> requested_;
    std::string tag_;
    std::string written_;
};

}  // namespace app
