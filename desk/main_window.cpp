// The main window: database, organization, form, parameters, generate and check.
#include "desk/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame_session.h"
#include "app/terminal_messages.h"
#include "app/work_directory.h"
#include "core/checks/declaration_checks.h"
#include "desk/checks/findings_window.h"
#include "desk/form_catalogue.h"
#include "desk/generate/generate_job.h"
#include "desk/generate/result_dialog.h"
#include "desk/long_run_gate.h"
#include "desk/organizations/organization_dialog.h"
#include "desk/page/parameters_page_view.h"
#include "desk/preview/show_preview.h"
#include "host/data/main_dm.h"
#include "host/firebird/firebird_database.h"
#include "host/frame/report_frame.h"
#include "host/progress/run_progress.h"
#include "host/text/cp1251.h"
#include "host/ui/message_box.h"
#include "host/ui/user_input.h"

namespace desk {

// The frame's message boxes while no run is going: a notice of the window.
class MainWindow::WindowMessages final : public host::ui::MessageService {
public:
    explicit WindowMessages(MainWindow& window) : window_(window) {}
    void show(const std::string& text, const std::string& caption) override {
        window_.notice(hostText(caption), QString::fromStdString(app::terminalText(text)).trimmed(), false);
    }

private:
    MainWindow& window_;
};

namespace {

QSettings settings() { return QSettings(QStringLiteral("zorvic"), QStringLiteral("zorvic-desk")); }

QString defaultOptionsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/options.ini");
}

QStringList errorLines(host::TReportFrame& frame) {
    QStringList lines;
    for (const QString& line : hostText(frame.GetErrorMessage({})).split('\r', Qt::SkipEmptyParts))
        lines << line.trimmed();
    return lines;
}

}  // namespace

MainWindow::MainWindow(const DeskStart& start, QWidget* parent)
    : QMainWindow(parent), start_(start), messages_(std::make_unique<WindowMessages>(*this)) {
    host::ui::setMessageService(messages_.get());
    setWindowTitle(QStringLiteral("zorvic — декларации об обороте алкогольной продукции"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(makeDatabaseRow());
    layout->addWidget(makeOrganizationRow());

    tabs_ = new QTabWidget;
    tabs_->setObjectName("pcParams");
    layout->addWidget(tabs_, 1);
    layout->addWidget(makeBottomRow());
    setCentralWidget(central);

    optionsLabel_ = new QLabel;
    auto* optionsButton = new QPushButton(QStringLiteral("Файл параметров…"));
    optionsButton->setObjectName("optionsFileButton");
    statusBar()->addWidget(optionsLabel_, 1);
    statusBar()->addPermanentWidget(optionsButton);
    connect(optionsButton, &QPushButton::clicked, this, &MainWindow::pickOptionsFile);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &MainWindow::showProgress);

    auto remembered = settings();
    const QString database = start.database.isEmpty() ? remembered.value("database").toString() : start.database;
    database_->setText(database);
    if (remembered.contains("user")) user_->setText(remembered.value("user").toString());
    setOptionsFile(start.optionsFile.isEmpty() ? remembered.value("optionsFile", defaultOptionsFile()).toString()
                                               : start.optionsFile);

    int first = 0;
    for (int i = 0; i < forms_->count(); ++i)
        if (forms_->itemData(i).toString() == start.module) first = i;
    forms_->setCurrentIndex(first);
    openForm(forms_->itemData(first).toString());
    connect(forms_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) openForm(forms_->itemData(index).toString());
    });
    resize(1280, 800);
}

MainWindow::~MainWindow() {
    delete job_;  // waits for a run still going, after asking it to stop
    job_ = nullptr;
    closeForm();
    host::ui::setMessageService(nullptr);
}

QWidget* MainWindow::makeDatabaseRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("База данных:"));
    database_ = new QLineEdit;
    database_->setObjectName("database");
    database_->setPlaceholderText(QStringLiteral("файл .fdb, или сервер:/путь, или сервер/порт:/путь"));
    label->setBuddy(database_);
    auto* browse = new QToolButton;
    browse->setObjectName("databaseBrowse");
    browse->setText(QStringLiteral("…"));
    browse->setToolTip(QStringLiteral("Выбрать файл базы данных"));
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Файл базы данных"), database_->text(),
                                                          QStringLiteral("Базы данных (*.fdb *.gdb);;Все файлы (*)"));
        if (!path.isEmpty()) database_->setText(path);
    });
    const auto environment = host::DatabaseLogin::fromEnvironment();
    auto* userLabel = new QLabel(QStringLiteral("Пользователь:"));
    user_ = new QLineEdit(QString::fromStdString(environment.user));
    user_->setObjectName("user");
    user_->setMaximumWidth(140);
    userLabel->setBuddy(user_);
    auto* passwordLabel = new QLabel(QStringLiteral("Пароль:"));
    password_ = new QLineEdit(QString::fromStdString(environment.password.value_or(std::string())));
    password_->setObjectName("password");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaximumWidth(140);
    passwordLabel->setBuddy(password_);
    layout->addWidget(label);
    layout->addWidget(database_, 1);
    layout->addWidget(browse);
    layout->addWidget(userLabel);
    layout->addWidget(user_);
    layout->addWidget(passwordLabel);
    layout->addWidget(password_);
    return row;
}

QWidget* MainWindow::makeOrganizationRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* formLabel = new QLabel(QStringLiteral("Форма:"));
    forms_ = new QComboBox;
    forms_->setObjectName("formList");
    for (const auto& form : formCatalogue())
        forms_->addItem(QStringLiteral("%1 — %2").arg(form.number, form.title), form.module);
    formLabel->setBuddy(forms_);
    layout->addWidget(formLabel);
    layout->addWidget(forms_);
    layout->addSpacing(12);
    auto* label = new QLabel;
    label->setObjectName("lbByName");
    byNameLabel_ = label;
    byName_ = new QLineEdit;
    byName_->setObjectName("edtByName");
    byName_->setReadOnly(true);
    byName_->setPlaceholderText(QStringLiteral("организация не выбрана"));
    label->setBuddy(byName_);
    byNameButton_ = new QToolButton;
    byNameButton_->setObjectName("btnByName");
    byNameButton_->setText(QStringLiteral("…"));
    byNameButton_->setToolTip(QStringLiteral("Выбрать организацию"));
    connect(byNameButton_, &QToolButton::clicked, this, &MainWindow::pickOrganizations);
    baseChecks_ = new QWidget;
    new QHBoxLayout(baseChecks_);
    baseChecks_->layout()->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(byName_, 1);
    layout->addWidget(byNameButton_);
    layout->addWidget(baseChecks_);
    return row;
}

QWidget* MainWindow::makeBottomRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    validation_ = new QLabel;
    validation_->setObjectName("validationLines");
    validation_->setStyleSheet("color: #b00020;");
    validation_->setWordWrap(true);
    auto* progressBox = new QWidget;
    auto* progressLayout = new QVBoxLayout(progressBox);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    stage_ = new QLabel;
    stage_->setObjectName("stage");
    progress_ = new QProgressBar;
    progress_->setObjectName("progress");
    progress_->setRange(0, 0);
    progress_->setTextVisible(false);
    progressLayout->addWidget(stage_);
    progressLayout->addWidget(progress_);
    progressBox->setMinimumWidth(320);
    progress_->hide();
    cancel_ = new QPushButton(QStringLiteral("Отмена"));
    cancel_->setObjectName("cancel");
    cancel_->setEnabled(false);
    generate_ = new QPushButton(QStringLiteral("Сформировать"));
    generate_->setObjectName("bbtnGenerate");
    generate_->setDefault(true);
    generate_->setMinimumWidth(140);
    connect(generate_, &QPushButton::clicked, this, &MainWindow::startGenerate);
    check_ = new QPushButton(QStringLiteral("Проверить"));
    check_->setObjectName("bbtnCheck");
    check_->setToolTip(QStringLiteral("Проверить декларацию перед отправкой: файл не сохраняется"));
    check_->setMinimumWidth(120);
    connect(check_, &QPushButton::clicked, this, &MainWindow::startCheck);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (job_) job_->cancel();
        stage_->setText(QStringLiteral("Остановка…"));
    });
    layout->addWidget(validation_, 1);
    layout->addWidget(progressBox);
    layout->addWidget(cancel_);
    layout->addWidget(check_);
    layout->addWidget(generate_);
    return row;
}

void MainWindow::setOptionsFile(const QString& path) {
    optionsFile_ = path;
    optionsLabel_->setText(QStringLiteral("Файл параметров: ") + QDir::toNativeSeparators(path));
    auto remembered = settings();
    remembered.setValue("optionsFile", path);
    // The page shows what the chosen file holds.
    if (session_ && forms_->currentIndex() >= 0) openForm(forms_->currentData().toString());
}

void MainWindow::pickOptionsFile() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Файл параметров"), optionsFile_,
                                                      QStringLiteral("Файлы параметров (*.ini);;Все файлы (*)"),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty()) setOptionsFile(path);
}

void MainWindow::closeForm() {
    if (!session_) return;
    // The tables of the form's runs go with it; the page's widgets go before the frame.
    if (workDirectory_) {
        try {
            session_->frame().DropTMPTables();
        } catch (const std::exception&) {
            // The directory is removed with everything in it all the same.
        }
    }
    tabs_->clear();
    parametersView_ = nullptr;
    for (QWidget* child : baseChecks_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
    workDirectory_.reset();
    session_.reset();
}

void MainWindow::openForm(const QString& module) {
    if (job_ && job_->running()) return;
    closeForm();
    try {
        const QString directory = start_.moduleDirectory;
        session_ = std::make_unique<app::FrameSession>(module.toStdString(), directory.toStdString());
        auto& frame = session_->frame();
        if (!organizations_.empty())
            frame.chooseClient(organizations_.front().id, host::utf8ToCp1251(organizations_.front().name.toStdString()));
        // A form always reads its options: a file not made yet reads as empty.
        std::optional<std::string> options;
        if (QFileInfo::exists(optionsFile_)) options = optionsFile_.toStdString();
        session_->readOptions(options);
    } catch (const std::exception& error) {
        session_.reset();
        notice(QStringLiteral("Форма не открыта"), QString::fromStdString(app::terminalText(error.what())), true);
        return;
    }
    auto& frame = session_->frame();
    parametersView_ = new ParametersPageView(frame.page());
    // The page's own widgets are set again by the view itself.
    connect(parametersView_, &ParametersPageView::changed, this, &MainWindow::showFrameState);
    // The host's pages: the local one carries the form's parameters, the selection pages come
    // and go as the form's rules say.
    for (const auto& control : frame.baseControls().controls()) {
        if (control->kind() == host::ui::ControlKind::TabPage) {
            QWidget* content = nullptr;
            if (control->name() == "tsLocal") {
                auto* scroll = new QScrollArea;
                scroll->setWidget(parametersView_);
                scroll->setWidgetResizable(true);
                scroll->setFrameShape(QFrame::NoFrame);
                content = scroll;
            } else {
                auto* note = new QLabel(QStringLiteral("Отбор на этой странице задается в учетной системе."));
                note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
                note->setMargin(12);
                content = note;
            }
            content->setObjectName(QString::fromStdString(control->name()));
            tabs_->addTab(content, captionText(*control));
        } else if (control->kind() == host::ui::ControlKind::CheckBox) {
            auto* box = new QCheckBox(captionText(*control));
            box->setObjectName(QString::fromStdString(control->name()));
            host::ui::Control* model = control.get();
            connect(box, &QCheckBox::clicked, this, [this, model](bool checked) {
                (void)host::ui::applyUserValue(*model, checked ? "true" : "false");
                pageChanged();
            });
            baseChecks_->layout()->addWidget(box);
        }
    }
    showFrameState();
}

void MainWindow::pageChanged() {
    if (parametersView_) parametersView_->refresh();
    showFrameState();
}

void MainWindow::showFrameState() {
    if (!session_) return;
    auto& frame = session_->frame();
    for (int i = 0; i < tabs_->count(); ++i)
        if (const auto* page = frame.baseControls().find(tabs_->widget(i)->objectName().toStdString()))
            tabs_->setTabVisible(i, page->visible());
    for (auto* box : baseChecks_->findChildren<QCheckBox*>()) {
        const auto* model = dynamic_cast<const host::ui::CheckBox*>(frame.baseControls().find(box->objectName().toStdString()));
        if (!model) continue;
        const QSignalBlocker block(box);
        box->setChecked(model->checked());
        box->setEnabled(model->enabled());
        box->setVisible(model->visible());
    }
    const auto& byName = frame.baseControls().get<host::ui::TextEdit>("edtByName");
    byNameLabel_->setText(captionText(byName) + ':');
    QString shown = hostText(byName.text());
    if (organizations_.size() > 1) shown += QStringLiteral("  (и еще %1)").arg(organizations_.size() - 1);
    byName_->setText(shown);
    const QStringList lines = errorLines(frame);
    validation_->setText(lines.join('\n'));
    const bool ready = lines.isEmpty() && !(job_ && job_->running());
    generate_->setEnabled(ready);
    check_->setEnabled(ready && core::checks::formTablesOfModule(session_->moduleName()) != nullptr);
}

HostDatabaseChoice MainWindow::databaseChoice() const {
    return {database_->text().trimmed(), user_->text().trimmed(), password_->text()};
}

std::unique_ptr<host::FirebirdDatabase> MainWindow::openDatabase() {
    try {
        auto database = openHostDatabase(databaseChoice());
        rememberDatabase();
        return database;
    } catch (const HostDatabaseUnusable& error) {
        notice(QStringLiteral("База данных недоступна"), QString::fromStdString(error.what()), true);
        return nullptr;
    }
}

void MainWindow::rememberDatabase() {
    auto remembered = settings();
    remembered.setValue("database", database_->text().trimmed());
    remembered.setValue("user", user_->text().trimmed());
}

void MainWindow::pickOrganizations() {
    std::vector<Organization> list;
    {
        auto database = openDatabase();
        if (!database) return;
        try {
            list = readOrganizations(*database);
        } catch (const std::exception& error) {
            notice(QStringLiteral("Список организаций"), QString::fromStdString(app::terminalText(error.what())), true);
            return;
        }
    }
    std::vector<int> chosenIds;
    for (const auto& o : organizations_) chosenIds.push_back(o.id);
    auto* dialog = new OrganizationDialog(std::move(list), chosenIds, this);
    dialog->setObjectName("organizationDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        auto chosen = dialog->chosen();
        if (!chosen.empty()) chooseOrganizations(std::move(chosen));
    });
    dialog->open();
}

void MainWindow::chooseOrganizations(std::vector<Organization> organizations) {
    organizations_ = std::move(organizations);
    if (session_ && !organizations_.empty()) {
        // As a user's choice in the client field: the frame's change handler runs.
        session_->frame().chooseClient(organizations_.front().id,
                                       host::utf8ToCp1251(organizations_.front().name.toStdString()));
    }
    pageChanged();
}

void MainWindow::setRunning(bool running) {
    forms_->setEnabled(!running);
    tabs_->setEnabled(!running);
    byNameButton_->setEnabled(!running);
    baseChecks_->setEnabled(!running);
    database_->setEnabled(!running);
    user_->setEnabled(!running);
    password_->setEnabled(!running);
    cancel_->setEnabled(running);
    progress_->setVisible(running);
    if (running) {
        generate_->setEnabled(false);
        check_->setEnabled(false);
        progressTimer_->start();
    } else {
        progressTimer_->stop();
        stage_->clear();
        pageChanged();
    }
}

void MainWindow::startRun(bool check) {
    if (!session_ || (job_ && job_->running()) || organizations_.empty()) return;
    auto& frame = session_->frame();
    if (!errorLines(frame).isEmpty()) return;
    if (!LongRunGate::tryEnter()) {
        notice(check ? QStringLiteral("Проверка") : QStringLiteral("Формирование"),
               check ? QStringLiteral("Идет сохранение печатной формы; проверить можно, когда оно закончится.")
                     : QStringLiteral("Идет сохранение печатной формы; сформировать можно, когда оно закончится."),
               false);
        return;
    }
    try {
        if (!workDirectory_) {
            // One work directory per open form, locked while the form is open: its tables are the
            // frame's, collected again only when the data are stale.
            workDirectory_ = std::make_unique<app::WorkDirectory>(std::nullopt);
            host::MainDM().setWorkDirectory(workDirectory_->path());
            frame.SetTMPTablesDatabaseName();
        }
    } catch (const std::exception& error) {
        LongRunGate::leave();
        workDirectory_.reset();
        notice(QStringLiteral("Рабочий каталог"), QString::fromStdString(error.what()), true);
        return;
    }
    delete job_;
    job_ = new GenerateJob(frame, databaseChoice(), organizations_, this);
    if (check) job_->checkInstead(CheckRequest{session_->moduleName(), workDirectory_->path()});
    connect(job_, &GenerateJob::finished, this, &MainWindow::runFinished);
    setRunning(true);
    showProgress();
    job_->start();
}

void MainWindow::showProgress() {
    if (!job_) return;
    QString text = QString::fromStdString(host::progressText(host::readProgress()));
    if (job_->checkingNow()) text = QStringLiteral("Проверка декларации…");
    else if (text.isEmpty()) text = QStringLiteral("Подключение к базе данных…");
    if (job_->count() > 1) text = QStringLiteral("%1 из %2: ").arg(job_->current() + 1).arg(job_->count()) + text;
    stage_->setText(text);
}

void MainWindow::runFinished() {
    LongRunGate::leave();
    host::ui::setMessageService(messages_.get());
    // The field shows the first chosen organization again, as before the run.
    if (organizations_.size() > 1)
        session_->frame().chooseClient(organizations_.front().id,
                                       host::utf8ToCp1251(organizations_.front().name.toStdString()));
    setRunning(false);
    // A check leaves the user's options as they were: it is no run the user keeps anything of.
    if (job_->checking()) {
        showCheckOutcomes();
        emit checkEnded();
        return;
    }
    // The changes the user made are kept, as after every generate, whether or not it gave a file.
    saveOptions();
    showOutcomes();
    emit generateEnded();
}

void MainWindow::saveOptions() {
    if (!session_) return;
    try {
        QDir().mkpath(QFileInfo(optionsFile_).absolutePath());
        session_->frame().SaveOptions();
        session_->options().saveToFile(optionsFile_.toStdString());
    } catch (const std::exception& error) {
        notice(QStringLiteral("Файл параметров"),
               QStringLiteral("Параметры не сохранены в ") + optionsFile_ + ":\n" +
                   QString::fromStdString(app::terminalText(error.what())),
               true);
    }
}

void MainWindow::showOutcomes() {
    const auto& outcomes = job_->outcomes();
    for (const auto& outcome : outcomes) {
        if (outcome.report) showPreview(outcome.report, this);
        // The frame's own messages, except the one already told as the run's error.
        for (const QString& message : outcome.messages)
            if (message != outcome.error) notice(QStringLiteral("Сообщение"), message, false);
    }
    if (outcomes.size() == 1) {
        const auto& outcome = outcomes.front();
        if (!outcome.filePath.isEmpty()) {
            auto* dialog = new ResultDialog(outcomes, this);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->open();
        } else if (outcome.stopped) {
            notice(QStringLiteral("Формирование остановлено"),
                   QStringLiteral("Формирование остановлено. Файл декларации не создан."), false);
        } else if (!outcome.error.isEmpty()) {
            notice(QStringLiteral("Ошибка"), outcome.error, true);
        } else if (outcome.nothing()) {
            notice(QStringLiteral("Печатная форма"), QStringLiteral("Нет данных для печатной формы."), false);
        }
        return;
    }
    auto* dialog = new ResultDialog(outcomes, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::showCheckOutcomes() {
    const auto& outcomes = job_->outcomes();
    for (const auto& outcome : outcomes)
        for (const QString& message : outcome.messages)
            if (message != outcome.error) notice(QStringLiteral("Сообщение"), message, false);
    // One organization without findings to show: said as generate says it.
    if (outcomes.size() == 1 && !outcomes.front().findings) {
        const auto& outcome = outcomes.front();
        if (outcome.stopped)
            notice(QStringLiteral("Проверка остановлена"), QStringLiteral("Проверка остановлена."), false);
        else if (!outcome.error.isEmpty())
            notice(QStringLiteral("Ошибка"), outcome.error, true);
        return;
    }
    auto* window = new FindingsWindow(outcomes, forms_->currentText(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void MainWindow::notice(const QString& title, const QString& text, bool error) {
    // Not modal to the application: a test, like a user, finds it among the window's children.
    auto* box = new QMessageBox(error ? QMessageBox::Warning : QMessageBox::Information, title, text,
                                QMessageBox::Ok, this);
    box->setObjectName("notice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace desk
