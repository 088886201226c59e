#pragma once

// Which findings the list shows: by severity and by subdivision, in the order the user clicked.

#include <QSortFilterProxyModel>
#include <optional>

#include "core/checks/finding.h"

namespace desk {

class FindingsFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FindingsFilter(QObject* parent = nullptr);

    // None: every severity.
    void setSeverity(std::optional<core::checks::Severity> severity);
    // None: every subdivision; an empty name: the organization's own findings.
    void setSubdivision(std::optional<QString> subdivision);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::optional<core::checks::Severity> severity_;
    std::optional<QString> subdivision_;
};

}  // namespace desk
