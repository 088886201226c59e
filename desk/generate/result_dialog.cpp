// The dialog after a generate, and the XML viewer.
#include "desk/generate/result_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "host/text/cp1251.h"

namespace desk {
namespace {

// A declaration of a big chain runs to hundreds of megabytes; the viewer shows its beginning.
constexpr qint64 kShownBytes = 8 * 1024 * 1024;

}  // namespace

QString outcomeText(const GenerateOutcome& outcome) {
    if (!outcome.filePath.isEmpty()) return outcome.filePath;
    if (outcome.stopped)
        return outcome.ran ? QStringLiteral("остановлено, файл не создан") : QStringLiteral("не формировалось: отмена");
    if (!outcome.error.isEmpty()) return QStringLiteral("ошибка: ") + outcome.error;
    if (outcome.report) return QStringLiteral("печатная форма открыта для просмотра");
    return QStringLiteral("нет данных для печати");
}

ResultDialog::ResultDialog(const std::vector<GenerateOutcome>& outcomes, QWidget* parent) : QDialog(parent) {
    setObjectName("resultDialog");
    setWindowTitle(QStringLiteral("Результат формирования"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& outcome : outcomes) {
        auto* name = new QLabel(QStringLiteral("<b>%1</b>").arg(outcome.organization.name.toHtmlEscaped()));
        auto* text = new QLabel(outcomeText(outcome));
        text->setObjectName("outcome");
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        grid->addWidget(name, row, 0);
        grid->addWidget(text, row, 1);
        if (!outcome.filePath.isEmpty()) {
            const QString path = outcome.filePath;
            auto* folder = new QPushButton(QStringLiteral("Открыть папку"));
            folder->setObjectName("openFolder");
            auto* view = new QPushButton(QStringLiteral("Просмотреть XML"));
            view->setObjectName("viewXml");
            connect(folder, &QPushButton::clicked, this, [path] {
                QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
            });
            connect(view, &QPushButton::clicked, this, [this, path] {
                auto* viewer = new XmlViewDialog(path, this);
                viewer->setAttribute(Qt::WA_DeleteOnClose);
                viewer->show();
            });
            grid->addWidget(folder, row, 2);
            grid->addWidget(view, row, 3);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(820, sizeHint().height());
}

XmlViewDialog::XmlViewDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setObjectName("xmlView");
    setWindowTitle(QFileInfo(path).fileName());
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit;
    text->setObjectName("xmlText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        text->setPlainText(QStringLiteral("Не удалось открыть файл: ") + file.errorString());
    } else {
        const QByteArray bytes = file.read(kShownBytes);
        QString shown = QString::fromStdString(host::cp1251ToUtf8(std::string_view(bytes.constData(), bytes.size())));
        if (file.size() > kShownBytes)
            shown += QStringLiteral("\n\n… показано начало файла: %1 из %2 МБ")
                         .arg(kShownBytes / (1024 * 1024))
                         .arg(file.size() / (1024.0 * 1024.0), 0, 'f', 1);
        text->setPlainText(shown);
    }
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 640);
}

}  // namespace desk
