#pragma once

// The report engine, its variables and the preview it shows in.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/data/variant.h"
#include "host/host_api.h"
#include "host/report/prepared_report.h"
#include "host/report/report_pages.h"
#include "host/report/report_template.h"
#include "host/report/row_store.h"

namespace host {

class DatasetRows;
class LocalDataSet;

// Where a prepared report is shown. The host program implements it (a window, a file written
// in the format the user asked for) and installs it; the plug-ins only ask the engine to show.
class HOST_API ReportPreview {
public:
    virtual ~ReportPreview();
    virtual void show(const PreparedReport& report) = 0;
    // A preview that can take the pages as they are laid out (a file written page by page) says
    // so; ReportEngine::showReport then hands it showPages, and the report is never held whole.
    virtual bool takesPagesAsLaidOut() const { return false; }
    // By default the pages are gathered into a prepared report for show().
    virtual void showPages(const ReportPages& pages);
};

// The preview every engine shows its prepared report in; not owned, nullptr removes it.
HOST_API void installReportPreview(ReportPreview* preview);

// The report's variables by name (without regard to case), each holding an expression text: a
// quoted literal such as '2010' is the text 2010, while 2010 unquoted is the number.
class HOST_API ReportVariables {
public:
    // The value's text is the expression.
    void setVariable(const std::string& name, const Variant& value);
    bool contains(const std::string& name) const;
    // The expression text; empty for a variable that does not exist.
    std::string expression(const std::string& name) const;
    void clear() { entries_.clear(); }

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // in the order first set
};

// Lays a template out into pages with the values of its variables and the rows of the datasets
// registered under the user names the template refers to, and hands the pages to the preview or
// to an export filter. The datasets' rows are read when the report is prepared; an open dataset is
// left open at its first row, a closed one is opened for the reading and closed again.
class HOST_API ReportEngine {
public:
    ReportEngine();
    ~ReportEngine();
    ReportEngine(const ReportEngine&) = delete;
    ReportEngine& operator=(const ReportEngine&) = delete;

    // Replaces the layout and the variables with the file's. A missing file, with
    // raiseIfNotFound false, answers false and leaves an empty template whose preparing throws
    // ReportError naming the file (so a caller that ends without preparing ends quietly); with
    // true it throws ReportError at once, as does a file that cannot be read or is not a valid
    // template.
    bool loadFromFile(const std::string& path, bool raiseIfNotFound = true);
    void loadFromText(const std::string& jsonText, const std::string& origin = "(text)");

    ReportVariables& variables() { return variables_; }

    // How many bytes of each dataset's rows are held in memory while the report is laid out; the
    // rest wait in a temporary file beside the dataset's work tables.
    void setHeldRowsLimit(std::size_t bytes) { heldRowsLimit_ = bytes; }

    // The dataset stays the caller's; it must outlive the engine or its next registration under
    // the name.
    void registerDataset(const std::string& userName, LocalDataSet& dataset);

    // Lays the report out in two passes, so that the total page count is known to every page.
    // Without clearLast the new pages follow those prepared before and are numbered on from them.
    // A stop request (host/stop) ends it at the next page or dataset row with StopRequested.
    void prepareReport(bool clearLast = true);
    // The pages as the export filters (host/report/report_export.h) take them.
    const PreparedReport& preparedReport() const { return prepared_; }

    // Hands the prepared report to the installed preview. Throws ReportError when there is none.
    void showPreparedReport();

    // Prepares the report afresh and shows it in the installed preview: one that takes pages as
    // they are laid out gets them so, after a pass that only counts them, and no more than a page
    // is held at a time (preparedReport() is left empty); any other gets the report prepared
    // whole. Throws ReportError when there is no preview, before anything is laid out.
    void showReport();

private:
    class LaidOutPages;
    // The registered datasets' rows, each dataset opened for the reading when it is closed.
    void readData(std::map<std::string, DatasetRows>& data);

    std::unique_ptr<ReportTemplate> template_;
    std::string missingTemplate_;  // the file the last load did not find, as messages name it
    ReportVariables variables_;
    std::vector<std::pair<std::string, LocalDataSet*>> datasets_;
    PreparedReport prepared_;
    std::size_t heldRowsLimit_ = RowStore::kDefaultMemoryLimit;
};

}  // namespace host
