// A local query over work tables.
#include "host/local/local_query.h"

#include "host/local/local_sql.h"

namespace host {

void LocalQuery::open() {
    LocalDataSet::open();
    startReading();
}

std::string LocalQuery::readSql() const { return translateLocalSql(sql_).sql; }

std::vector<std::string> LocalQuery::readTables() const { return translateLocalSql(sql_).tables; }

}  // namespace host
