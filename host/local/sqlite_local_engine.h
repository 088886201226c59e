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
    // Gives a work table an index over expressions of its columns, unless it has one by that
    // name already; lookups by those expressions then need no scan of the table.
    static void ensureIndex(const std::string& directory, const std::string& table, const std::string& index,
                            const std::string& expressions);
    // Where the engine keeps its own temporary files (large sorts).
    static void setPrivateDirectory(const std::string& directory);
};

}  // namespace host
