// The findings window of a check.
#include "desk/checks/findings_window.h"

#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/check_report.h"
#include "desk/checks/findings_filter.h"
#include "desk/checks/findings_model.h"
#include "desk/host_text.h"

namespace desk {
namespace {

// The severity filter's items, in the order of the list.
enum SeverityItem { AllSeverities, ErrorsOnly, WarningsOnly };

}  // namespace

QString checkOutcomeText(const GenerateOutcome& outcome) {
    if (outcome.findings) return QString::fromStdString(app::findingsSummary(*outcome.findings)).trimmed();
    if (outcome.stopped)
        return outcome.ran ? QStringLiteral("проверка остановлена") : QStringLiteral("не проверялось: отмена");
    if (!outcome.error.isEmpty()) return QStringLiteral("ошибка: ") + outcome.error;
    return QStringLiteral("не проверялось");
}

FindingsWindow::FindingsWindow(const std::vector<GenerateOutcome>& outcomes, const QString& formTitle,
                               QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("findingsWindow");
    setWindowTitle(QStringLiteral("Проверка декларации — ") + formTitle);

    std::vector<FindingRow> rows;
    QStringList subdivisions;
    for (const auto& outcome : outcomes) {
        if (!outcome.findings) continue;
        core::checks::Findings sorted = *outcome.findings;
        sorted.sort();
        for (const auto& finding : sorted.items()) {
            rows.push_back({outcome.organization.name, finding});
            const QString subdivision = hostText(finding.where.subdivision);
            if (!subdivision.isEmpty() && !subdivisions.contains(subdivision)) subdivisions << subdivision;
        }
    }
    QCollator collator;
    std::sort(subdivisions.begin(), subdivisions.end(), collator);

    QStringList summary;
    if (outcomes.size() == 1) {
        summary << checkOutcomeText(outcomes.front());
    } else {
        for (const auto& outcome : outcomes)
            summary << QStringLiteral("<b>%1</b>: %2")
                           .arg(outcome.organization.name.toHtmlEscaped(), checkOutcomeText(outcome).toHtmlEscaped());
    }
    summary_ = new QLabel(summary.join(QStringLiteral("<br>")));
    summary_->setObjectName("summary");
    summary_->setTextFormat(outcomes.size() == 1 ? Qt::PlainText : Qt::RichText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setWordWrap(true);
    if (outcomes.size() == 1) {
        QFont bold = summary_->font();
        bold.setBold(true);
        summary_->setFont(bold);
    }

    severity_ = new QComboBox;
    severity_->setObjectName("severityFilter");
    severity_->addItems({QStringLiteral("Все"), QStringLiteral("Ошибки"), QStringLiteral("Предупреждения")});
    subdivision_ = new QComboBox;
    subdivision_->setObjectName("subdivisionFilter");
    subdivision_->addItem(QStringLiteral("Все"));
    // The organization's own findings carry no subdivision: an empty name stands for them.
    subdivision_->addItem(QStringLiteral("Организация"), QString(""));
    for (const QString& name : subdivisions) subdivision_->addItem(name, name);
    shown_ = new QLabel;
    shown_->setObjectName("shownCount");

    auto* filters = new QHBoxLayout;
    auto* severityLabel = new QLabel(QStringLiteral("Важность:"));
    severityLabel->setBuddy(severity_);
    auto* subdivisionLabel = new QLabel(QStringLiteral("Подразделение:"));
    subdivisionLabel->setBuddy(subdivision_);
    filters->addWidget(severityLabel);
    filters->addWidget(severity_);
    filters->addSpacing(12);
    filters->addWidget(subdivisionLabel);
    filters->addWidget(subdivision_);
    filters->addStretch(1);
    filters->addWidget(shown_);

    model_ = new FindingsModel(std::move(rows), this);
    filter_ = new FindingsFilter(this);
    filter_->setSourceModel(model_);
    table_ = new QTableView;
    table_->setObjectName("findingsTable");
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(true);
    // Wrapped lines of neighbouring rows apart from each other.
    table_->setStyleSheet(QStringLiteral("QTableView::item { padding: 3px 2px; }"));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    // What is wrong takes the room the others leave; it is the longest text.
    header->setSectionResizeMode(FindingsModel::Message, QHeaderView::Stretch);
    // The order of the check until the user clicks a column; a third click gives it back.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    table_->setColumnHidden(FindingsModel::Organization, outcomes.size() < 2);
    const std::pair<int, int> widths[] = {{FindingsModel::Organization, 160}, {FindingsModel::Severity, 170},
                                          {FindingsModel::Subdivision, 150},  {FindingsModel::Subject, 200},
                                          {FindingsModel::Place, 200},        {FindingsModel::Fix, 240}};
    for (const auto& [column, width] : widths) table_->setColumnWidth(column, width);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);

    connect(severity_, &QComboBox::currentIndexChanged, this, &FindingsWindow::applyFilters);
    connect(subdivision_, &QComboBox::currentIndexChanged, this, &FindingsWindow::applyFilters);
    applyFilters();
    resize(1280, 640);
}

void FindingsWindow::applyFilters() {
    switch (severity_->currentIndex()) {
        case ErrorsOnly: filter_->setSeverity(core::checks::Severity::Error); break;
        case WarningsOnly: filter_->setSeverity(core::checks::Severity::Warning); break;
        default: filter_->setSeverity(std::nullopt);
    }
    const QVariant subdivision = subdivision_->currentData();
    filter_->setSubdivision(subdivision.isValid() ? std::optional<QString>(subdivision.toString()) : std::nullopt);
    shown_->setText(QStringLiteral("Показано: %1 из %2").arg(filter_->rowCount()).arg(model_->rowCount()));
}

}  // namespace desk
