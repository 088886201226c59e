// The zorvic-desk program: the declarations in a window.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "app/work_directory.h"
#include "desk/main_window.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("zorvic-desk");
    QApplication::setOrganizationName("zorvic");

    QCommandLineParser parser;
    parser.setApplicationDescription("Декларации об обороте алкогольной продукции");
    parser.addHelpOption();
    QCommandLineOption database({"d", "db"}, "База данных учетной системы (файл или сервер:/путь).", "DATABASE");
    QCommandLineOption options("options", "Файл параметров (INI).", "FILE");
    QCommandLineOption form("form", "Форма, открываемая первой (модуль, например pZorvicBuy).", "MODULE");
    parser.addOptions({database, options, form});
    parser.process(application);

    // Work directories of runs killed outright, as the command line clears them.
    app::WorkDirectory::sweepAbandoned();
    // The modules in lib/ and the templates in reports/ beside the program's bin/.
    const QDir root = QFileInfo(QCoreApplication::applicationDirPath()).dir();
    host::HostConfig().setReportPath(root.filePath("reports").toStdString() + "/");
    desk::DeskStart start{root.filePath("lib"), parser.value(database), parser.value(options), parser.value(form)};
    int status = 0;
    {
        desk::MainWindow window(start);
        window.show();
        status = QApplication::exec();
    }
    host::FirebirdDatabase::shutdown();
    return status;
}
