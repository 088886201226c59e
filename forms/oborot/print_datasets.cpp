// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/oborot/report_frame.h"

namespace forms::oborot {

core::PrintDatasets TZorvicOborotReport::printDatasets() {
    // No empty test: a quarter without turnover still prints its (empty) report.
    return {{{"tblResult", &tblResult}, {"qClientSum", &qClientSum}, {"tblObosob", &tblObosob}},
            {&tblResult, &qClientSum, &tblObosob},
            {&tblResult, &qClientSum, &tblObosob},
            nullptr};
}

}  // namespace forms::oborot
