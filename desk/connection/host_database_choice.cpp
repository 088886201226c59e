// Opening the chosen host database and making sure it is one.
#include "desk/connection/host_database_choice.h"

#include <QFileInfo>

#include "host/firebird/firebird_database.h"
#include "host/firebird/server_failure.h"

namespace desk {
namespace {

// What every plug-in reads; a database without them is some other program's.
struct HostObject {
    const char* name;
    const char* catalogue;  // the system table that lists such objects
    const char* column;
};
constexpr HostObject kHostObjects[] = {
    {"CLIENTS", "RDB$RELATIONS", "RDB$RELATION_NAME"},
    {"OWNKIND", "RDB$RELATIONS", "RDB$RELATION_NAME"},
    {"REPORT_SQL", "RDB$RELATIONS", "RDB$RELATION_NAME"},
    {"CLIENT_LIC_VIEW", "RDB$PROCEDURES", "RDB$PROCEDURE_NAME"},
    {"GET_ADDRESS_KLADR", "RDB$PROCEDURES", "RDB$PROCEDURE_NAME"},
};

}  // namespace

std::unique_ptr<host::FirebirdDatabase> openHostDatabase(const HostDatabaseChoice& choice) {
    const QString connection = choice.connection.trimmed();
    if (connection.isEmpty()) throw HostDatabaseUnusable("Не выбрана база данных.");
    const std::string path = connection.toStdString();
    if (!host::serverAddress(path)) {
        // The engine's own words for a missing file name neither the file nor the cause plainly.
        const QFileInfo file(connection);
        if (!file.exists()) throw HostDatabaseUnusable(("Файл базы данных не найден: " + connection).toStdString());
        if (!file.isFile()) throw HostDatabaseUnusable(("Это не файл базы данных: " + connection).toStdString());
        if (!file.isReadable())
            throw HostDatabaseUnusable(("Нет прав на чтение файла базы данных: " + connection).toStdString());
    }
    host::DatabaseLogin login{choice.user.trimmed().toStdString(), std::nullopt};
    if (!choice.password.isEmpty()) login.password = choice.password.toStdString();
    std::unique_ptr<host::FirebirdDatabase> database;
    try {
        database = std::make_unique<host::FirebirdDatabase>(path, login);
    } catch (const std::exception& error) {
        throw HostDatabaseUnusable("Не удалось открыть базу данных " + path + ".\n\n" + error.what());
    }
    for (const auto& object : kHostObjects) {
        const auto row = database->firstRow(std::string("select count(*) from ") + object.catalogue + " where " +
                                            object.column + " = '" + object.name + "'");
        if (!row || row->empty() || (*row)[0].toInteger() == 0)
            throw HostDatabaseUnusable("В базе данных " + path + " нет объекта учетной системы " + object.name +
                                       ": это не база учетной системы или она устарела.");
    }
    return database;
}

}  // namespace desk
