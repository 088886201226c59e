#pragma once

// The window a check's findings are shown in: a list to sort and filter, and a summary.

#include <QWidget>
#include <vector>

#include "desk/generate/generate_job.h"

class QComboBox;
class QLabel;
class QTableView;

namespace desk {

class FindingsFilter;
class FindingsModel;

// Every organization's findings in one list (with several, a column says whose each is); filters
// by severity and subdivision; a summary line per organization, with the error of a run that
// failed.
class FindingsWindow : public QWidget {
    Q_OBJECT
public:
    // formTitle: the form as the window's form list names it.
    FindingsWindow(const std::vector<GenerateOutcome>& outcomes, const QString& formTitle, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    QComboBox* severityFilter() const { return severity_; }
    QComboBox* subdivisionFilter() const { return subdivision_; }
    QLabel* summaryLabel() const { return summary_; }

private:
    void applyFilters();

    FindingsModel* model_ = nullptr;
    FindingsFilter* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QComboBox* severity_ = nullptr;
    QComboBox* subdivision_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* shown_ = nullptr;
};

// One organization's check in a sentence: its summary line, or why it has none.
QString checkOutcomeText(const GenerateOutcome& outcome);

}  // namespace desk
