#pragma once

// Writing a prepared report to a file without freezing the window: the export filter works on a
// thread of its own while a progress dialog counts its pages and offers to stop it.

#include <QString>
#include <memory>

#include "host/report/page_file.h"

class QWidget;

namespace desk {

struct ExportOutcome {
    bool cancelled = false;  // the user stopped it: nothing was written
    QString failure;         // why nothing was written, as the filter said it; empty otherwise
};

// Writes the report in the format of the file's extension (host::exportReport) and returns once
// it is written, given up or stopped; meanwhile the events of the program go on, but the window
// is blocked by the progress dialog. A stop goes to the filter as the program's stop request
// (host/stop), which is taken back afterwards.
ExportOutcome exportWithProgress(QWidget* parent, std::shared_ptr<const host::PageFile> report,
                                 const QString& path);

}  // namespace desk
