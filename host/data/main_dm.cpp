// The host's main data module.
#include "host/data/main_dm.h"

#include "host/local/sqlite/sqlite_local_engine.h"

namespace host {

std::string TMainDM::GetPath(int kind) const {
    return kind == WorkDirectory ? workDirectory_ : std::string{};
}

HostDatabase& TMainDM::Database() {
    if (!database_) throw NoDatabaseError("no host database is open: name one with --db");
    return *database_;
}

LocalSqlEngine& TMainDM::LocalEngine() {
    static SqliteLocalEngine engine;
    return engine;
}

DateTime TMainDM::Today() const { return today_ ? *today_ : today(); }

HostDataSet& TMainDM::SharedDataSet() { return Database().sharedDataSet(); }

TMainDM& MainDM() {
    static TMainDM instance;
    return instance;
}

int GetRecordCount(const HostDataSet& dataSet) { return dataSet.recordCount(); }

TConfigDM& HostConfig() {
    static TConfigDM instance;
    return instance;
}

std::string withTrailingDelimiter(std::string directory) {
    if (!directory.empty() && directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace host
