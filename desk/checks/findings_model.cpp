// The findings of a check as a table model.
#include "desk/checks/findings_model.h"

#include <QApplication>
#include <QStyle>

#include "app/check_report.h"
#include "desk/host_text.h"

namespace desk {

FindingsModel::FindingsModel(std::vector<FindingRow> rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)) {}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString FindingsModel::text(const core::checks::Finding& finding, int column) const {
    switch (column) {
        case Severity:
            return finding.severity == core::checks::Severity::Error ? QStringLiteral("Ошибка")
                                                                     : QStringLiteral("Предупреждение");
        case Subdivision:
            return finding.where.subdivision.empty() ? QStringLiteral("Организация")
                                                     : hostText(finding.where.subdivision);
        case Subject:
            return QString::fromStdString(app::subjectText(finding.where.subject));
        case Place:
            return hostText(finding.where.place);
        case Message:
            return hostText(finding.message);
        case Fix:
            return hostText(finding.fix);
        default:
            return {};
    }
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const FindingRow& row = rows_[static_cast<size_t>(index.row())];
    const core::checks::Finding& finding = row.finding;
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return column == Organization ? row.organization : text(finding, column);
        case Qt::DecorationRole:
            if (column != Severity) return {};
            return QApplication::style()->standardIcon(finding.severity == core::checks::Severity::Error
                                                           ? QStyle::SP_MessageBoxCritical
                                                           : QStyle::SP_MessageBoxWarning);
        case SortRole:
            if (column == Severity) return static_cast<int>(finding.severity);
            // The organization's own before its subdivisions, whatever their names.
            if (column == Subdivision)
                return finding.where.subdivision.empty() ? QString() : text(finding, column);
            return column == Organization ? row.organization : text(finding, column);
        case SeverityRole:
            return static_cast<int>(finding.severity);
        case SubdivisionRole:
            return hostText(finding.where.subdivision);
        default:
            return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Organization: return QStringLiteral("Организация");
        case Severity: return QStringLiteral("Важность");
        case Subdivision: return QStringLiteral("Подразделение");
        case Subject: return QStringLiteral("Контрагент / производитель");
        case Place: return QStringLiteral("Где");
        case Message: return QStringLiteral("Что не так");
        case Fix: return QStringLiteral("Что сделать");
        default: return {};
    }
}

}  // namespace desk
