// What an open local dataset holds of the engine; private to host/local.
#pragma once

#include "host/local/local_dataset.h"
#include "host/local/sqlite/sqlite_connection.h"

namespace host {

// The connection with the dataset's tables attached; the select once reading has started, and for
// a table being appended to, its insert. The statements go before the connection does.
struct LocalDataSet::Engine {
    SqliteConnection connection;
    SqliteStatement select;
    SqliteStatement insert;
};

}  // namespace host
