#pragma once

// The host's data modules: the main one, the configuration, and the local table engine.

#include <optional>
#include <stdexcept>
#include <string>

#include "host/data/host_database.h"
#include "host/host_api.h"

namespace host {

// Raised when a frame needs the host database and the host was started without one.
class HOST_API NoDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The host's engine of local work tables, each a file named after its table in a directory.
class HOST_API LocalSqlEngine {
public:
    virtual ~LocalSqlEngine() = default;
    // Runs one statement of local SQL ("delete from \"ZorvicBuy.db\";") over the directory's tables.
    virtual void execute(const std::string& directory, const std::string& statement) = 0;
    // Gives a work table an index over expressions of its columns, unless it has one by that
    // name already; lookups by those expressions then need no scan of the table.
    virtual void ensureIndex(const std::string& directory, const std::string& table, const std::string& index,
                             const std::string& expressions) = 0;
    // Where the engine keeps its own temporary files (large sorts); empty for the system's.
    virtual void setPrivateDirectory(const std::string& directory) = 0;
};

// The host's main data module: paths, the report being run, the database connection.
class HOST_API TMainDM {
public:
    enum PathType { WorkDirectory = 3 };

    // Kind 3: the directory of the work tables, ending with a path delimiter when it is not
    // empty. Other kinds are empty.
    std::string GetPath(int kind) const;
    int GetReportId() const { return reportId_; }
    int OwnerId = 0;

    HostDataSet& SharedDataSet();
    HostDatabase& Database();
    // The host's own engine of the work tables.
    LocalSqlEngine& LocalEngine();
    // The date the plug-ins take as today: the one the host was given, or the system's.
    DateTime Today() const;

    // Set up by the host program.
    void setWorkDirectory(std::string directory) { workDirectory_ = std::move(directory); }
    void setReportId(int id) { reportId_ = id; }
    void attachDatabase(HostDatabase* database) { database_ = database; }
    void setToday(std::optional<DateTime> date) { today_ = date; }

private:
    std::string workDirectory_;
    int reportId_ = 0;
    HostDatabase* database_ = nullptr;
    std::optional<DateTime> today_;
};

HOST_API TMainDM& MainDM();

// Rows of an open dataset; 0 or less means empty.
HOST_API int GetRecordCount(const HostDataSet& dataSet);

// The host's configuration data module.
class HOST_API TConfigDM {
public:
    // The report template directory; it ends with a path delimiter, since the frames append the
    // template's file name directly.
    std::string ReportPath() const { return reportPath_; }
    void setReportPath(std::string path) { reportPath_ = std::move(path); }

private:
    std::string reportPath_;
};

HOST_API TConfigDM& HostConfig();

// Ensures a trailing "/" on a non-empty directory text.
HOST_API std::string withTrailingDelimiter(std::string directory);

}  // namespace host
