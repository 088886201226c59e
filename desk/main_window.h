#pragma once

// The window accountants work in: the database, the organization, the form, its parameters page,
// and the generate and check buttons.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <vector>

#include "desk/connection/host_database_choice.h"
#include "desk/organizations/organization_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace app {
class FrameSession;
class WorkDirectory;
}  // namespace app

namespace desk {

class GenerateJob;
class ParametersPageView;

// What the window starts with; empty members fall back on the remembered settings.
struct DeskStart {
    QString moduleDirectory;  // where the pZorvic* modules are
    QString database;         // the host database's connection text
    QString optionsFile;      // the options file; default: one per user
    QString module;           // the form to open first
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const DeskStart& start, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a form's frame by module name, its options read.
    void openForm(const QString& module);
    // Organizations as if chosen in the dialog.
    void chooseOrganizations(std::vector<Organization> organizations);
    void setOptionsFile(const QString& path);

    const QString& optionsFile() const { return optionsFile_; }
    ParametersPageView* parametersView() const { return parametersView_; }
    app::FrameSession* session() const { return session_.get(); }
    GenerateJob* job() const { return job_; }
    QPushButton* generateButton() const { return generate_; }
    QPushButton* checkButton() const { return check_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* validationLabel() const { return validation_; }
    QLabel* stageLabel() const { return stage_; }
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* byNameEdit() const { return byName_; }
    QToolButton* byNameButton() const { return byNameButton_; }
    QLineEdit* databaseEdit() const { return database_; }
    QLineEdit* passwordEdit() const { return password_; }

signals:
    // After a generate has ended and its results are shown.
    void generateEnded();
    // After a check has ended and its findings (or why there are none) are shown.
    void checkEnded();

private:
    class WindowMessages;

    QWidget* makeDatabaseRow();
    QWidget* makeOrganizationRow();
    QWidget* makeBottomRow();
    void closeForm();
    void pickOrganizations();
    void pickOptionsFile();
    // After the model changed: the page's widgets set again, then the rest of the frame's state.
    void pageChanged();
    // The frame's state outside the page: tabs, base check boxes, the client field, validation.
    void showFrameState();
    void startGenerate() { startRun(false); }
    void startCheck() { startRun(true); }
    void startRun(bool check);
    void showProgress();
    void runFinished();
    void showOutcomes();
    void showCheckOutcomes();
    void saveOptions();
    void notice(const QString& title, const QString& text, bool error);
    HostDatabaseChoice databaseChoice() const;
    std::unique_ptr<host::FirebirdDatabase> openDatabase();
    void rememberDatabase();
    void setRunning(bool running);

    DeskStart start_;
    std::unique_ptr<WindowMessages> messages_;
    QString optionsFile_;
    std::unique_ptr<app::FrameSession> session_;
    std::unique_ptr<app::WorkDirectory> workDirectory_;
    std::vector<Organization> organizations_;
    GenerateJob* job_ = nullptr;

    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLabel* byNameLabel_ = nullptr;
    QLineEdit* byName_ = nullptr;
    QToolButton* byNameButton_ = nullptr;
    QWidget* baseChecks_ = nullptr;
    QComboBox* forms_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    ParametersPageView* parametersView_ = nullptr;
    QLabel* validation_ = nullptr;
    QLabel* stage_ = nullptr;
    QLabel* optionsLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* generate_ = nullptr;
    QPushButton* check_ = nullptr;
    QTimer* progressTimer_ = nullptr;
};

}  // namespace desk
