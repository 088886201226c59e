#pragma once

#include <string>

#include "host/data/main_dm.h"
#include "host/host_api.h"

namespace host {

// The host's local table engine on SQLite: runs one statement of local SQL ("delete from
// \"ZorvicBuy.db\";") over the work tables of a directory.
class HOST_API SqliteLocalEngine final : public LocalSqlEngine {
public:
    void execute(const std::string& directory, const std::string& statement) override;
    // Where the engine keeps its own temporary files (large sorts).
    static void setPrivateDirectory(const std::string& directory);
};

}  // namespace host
