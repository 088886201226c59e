// The window's login through the tests' own Firebird server: a wrong password says so in one
// dialog, the right one lists the organizations.
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "desk/organizations/organization_dialog.h"
#include "desk_fixture.h"

namespace desk_test {
namespace {

std::string firstLine(const fs::path& file) {
    const std::string text = zorvic_test::readFile(file);
    return text.substr(0, text.find('\n'));
}

TEST_F(DeskTest, AWrongPasswordOnAServerSaysSoAndTheRightOneLetsTheUserIn) {
    const fs::path server = ZORVIC_TEST_SERVER_DIR;
    ASSERT_TRUE(fs::exists(server / "port")) << "the tests' Firebird server is not running (no port file in "
                                            << server << "): run these tests through ctest";
    const std::string port = firstLine(server / "port");
    const std::string password = firstLine(server / "password");
    // The server opens databases only in its own directory.
    std::string pattern = (server / "databases" / "desk-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path served = pattern;
    fs::copy_file(demoDatabase(), served / "demo.fdb");
    const QString connection = QString::fromStdString("localhost/" + port + ":" + (served / "demo.fdb").string());

    auto& window = open("pZorvicBuy");
    window.databaseEdit()->setText(connection);
    window.findChild<QLineEdit*>("user")->setText("SYSDBA");
    window.passwordEdit()->setText(QString::fromStdString("not-" + password));
    QTest::mouseClick(window.byNameButton(), Qt::LeftButton);
    const QStringList said = notices();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Не удалось открыть базу данных"))) << said[0].toStdString();
    EXPECT_TRUE(said[0].contains("password is wrong")) << said[0].toStdString();
    EXPECT_EQ(window.findChild<desk::OrganizationDialog*>(), nullptr);
    for (auto* box : window.findChildren<QMessageBox*>("notice")) box->close();

    window.passwordEdit()->setText(QString::fromStdString(password));
    QTest::mouseClick(window.byNameButton(), Qt::LeftButton);
    auto* dialog = window.findChild<desk::OrganizationDialog*>();
    ASSERT_NE(dialog, nullptr) << notices().join("\n").toStdString();
    EXPECT_GT(dialog->table()->model()->rowCount(), 0);
    // The password is never remembered.
    auto& again = openRemembered("pZorvicBuy");
    EXPECT_EQ(again.databaseEdit()->text(), connection);
    EXPECT_NE(again.passwordEdit()->text().toStdString(), password);
    fs::remove_all(served);
}

}  // namespace
}  // namespace desk_test
