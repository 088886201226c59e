// The host's local table engine on SQLite; private to the host, which hands it out as
// MainDM().LocalEngine().
#pragma once

#include <string>

#include "host/data/main_dm.h"

namespace host {

class SqliteLocalEngine final : public LocalSqlEngine {
public:
    void execute(const std::string& directory, const std::string& statement) override;
    void ensureIndex(const std::string& directory, const std::string& table, const std::string& index,
                     const std::string& expressions) override;
    void setPrivateDirectory(const std::string& directory) override;
};

}  // namespace host
