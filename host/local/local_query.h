#pragma once

// A local query over work tables.

#include <string>
#include <vector>

#include "host/local/local_dataset.h"

namespace host {

// A local query (TQuery) over work tables in its directory, with the local SQL as written
// ("select ... from \"ZorvicBuy.db\" ..."); its rows come in a deterministic order.
class HOST_API LocalQuery final : public LocalDataSet {
public:
    LocalQuery(std::string name, std::string sql, bool forwardOnly)
        : LocalDataSet(std::move(name), forwardOnly), sql_(std::move(sql)) {}

    const std::string& sql() const { return sql_; }
    void open() override;

protected:
    std::string readSql() const override;
    std::vector<std::string> readTables() const override;

private:
    std::string sql_;
};

}  // namespace host
