#pragma once

// The findings of a check as a table: one row per finding, with the organization it belongs to.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "core/checks/finding.h"

namespace desk {

// One finding of one organization's declaration.
struct FindingRow {
    QString organization;
    core::checks::Finding finding;
};

class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Organization, Severity, Subdivision, Subject, Place, Message, Fix, ColumnCount };
    enum Role {
        // What a column sorts by: errors before warnings, the organization's own before its
        // subdivisions, texts as shown otherwise.
        SortRole = Qt::UserRole,
        SeverityRole,     // core::checks::Severity as an int
        SubdivisionRole,  // the subdivision's name; empty for the organization's own
    };

    explicit FindingsModel(std::vector<FindingRow> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const core::checks::Finding& finding, int column) const;

    std::vector<FindingRow> rows_;
};

}  // namespace desk
