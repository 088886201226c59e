// Choosing organizations from a filtered list.
#include "desk/organizations/organization_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace desk {
namespace {

// Keeps the rows whose organization matches the typed text in its name, legal name or INN.
class OrganizationFilter : public QSortFilterProxyModel {
public:
    OrganizationFilter(const std::vector<Organization>& organizations, QObject* parent)
        : QSortFilterProxyModel(parent), organizations_(organizations) {}
    void setTyped(const QString& typed) {
        typed_ = typed;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        return organizations_[static_cast<size_t>(row)].matches(typed_);
    }

private:
    const std::vector<Organization>& organizations_;
    QString typed_;
};

}  // namespace

OrganizationDialog::OrganizationDialog(std::vector<Organization> organizations, const std::vector<int>& chosenIds,
                                       QWidget* parent)
    : QDialog(parent), organizations_(std::move(organizations)) {
    setWindowTitle(QStringLiteral("Выбор организации"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("Часть наименования или ИНН:"));
    filter_ = new QLineEdit;
    filter_->setObjectName("organizationFilter");
    filter_->setClearButtonEnabled(true);
    hint->setBuddy(filter_);
    layout->addWidget(hint);
    layout->addWidget(filter_);

    model_ = new QStandardItemModel(0, 4, this);
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("Наименование"), QStringLiteral("Юридическое наименование"), QStringLiteral("ИНН"),
         QStringLiteral("КПП")});
    for (const auto& o : organizations_) {
        QList<QStandardItem*> row{new QStandardItem(o.name), new QStandardItem(o.legalName), new QStandardItem(o.inn),
                                  new QStandardItem(o.kpp)};
        for (auto* item : row) item->setEditable(false);
        row[0]->setData(o.id, Qt::UserRole);
        model_->appendRow(row);
    }
    auto* filter = new OrganizationFilter(organizations_, this);
    proxy_ = filter;
    proxy_->setSourceModel(model_);
    table_ = new QTableView;
    table_->setObjectName("organizationTable");
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
    layout->addWidget(table_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Выбрать"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(filter_, &QLineEdit::textChanged, this, [this, filter](const QString& text) {
        filter->setTyped(text);
        // With one row left, Enter takes it.
        if (proxy_->rowCount() == 1) table_->selectRow(0);
    });

    for (int row = 0; row < proxy_->rowCount(); ++row) {
        const int id = proxy_->index(row, 0).data(Qt::UserRole).toInt();
        if (std::find(chosenIds.begin(), chosenIds.end(), id) != chosenIds.end())
            table_->selectionModel()->select(proxy_->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    resize(760, 480);
    filter_->setFocus();
}

std::vector<Organization> OrganizationDialog::chosen() const {
    std::vector<Organization> out;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows(0)) {
        const int id = index.data(Qt::UserRole).toInt();
        for (const auto& o : organizations_)
            if (o.id == id) out.push_back(o);
    }
    // In the order of the list, so the files and the summary come in a stable order.
    std::sort(out.begin(), out.end(), [](const Organization& a, const Organization& b) {
        return a.name == b.name ? a.id < b.id : a.name.localeAwareCompare(b.name) < 0;
    });
    return out;
}

}  // namespace desk
