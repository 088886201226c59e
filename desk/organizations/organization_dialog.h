#pragma once

// The dialog in which the user picks the organizations a declaration is made for.

#include <QDialog>
#include <vector>

#include "desk/organizations/organization_list.h"

class QLineEdit;
class QTableView;
class QStandardItemModel;
class QSortFilterProxyModel;

namespace desk {

// Lists the organizations with name, legal name, INN and KPP, narrowed as the user types a part of
// the name or the INN. Several may be chosen: each gets its own declaration.
class OrganizationDialog : public QDialog {
    Q_OBJECT
public:
    OrganizationDialog(std::vector<Organization> organizations, const std::vector<int>& chosenIds,
                       QWidget* parent = nullptr);

    std::vector<Organization> chosen() const;
    QLineEdit* filterEdit() const { return filter_; }
    QTableView* table() const { return table_; }

private:
    std::vector<Organization> organizations_;
    QLineEdit* filter_;
    QTableView* table_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* proxy_;
};

}  // namespace desk
