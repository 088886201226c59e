// The filter and sort order of the findings list.
#include "desk/checks/findings_filter.h"

#include "desk/checks/findings_model.h"

namespace desk {

FindingsFilter::FindingsFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(FindingsModel::SortRole);
    setSortLocaleAware(true);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void FindingsFilter::setSeverity(std::optional<core::checks::Severity> severity) {
    severity_ = severity;
    invalidateRowsFilter();
}

void FindingsFilter::setSubdivision(std::optional<QString> subdivision) {
    subdivision_ = std::move(subdivision);
    invalidateRowsFilter();
}

bool FindingsFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (severity_ && index.data(FindingsModel::SeverityRole).toInt() != static_cast<int>(*severity_)) return false;
    if (subdivision_ && index.data(FindingsModel::SubdivisionRole).toString() != *subdivision_) return false;
    return true;
}

}  // namespace desk
