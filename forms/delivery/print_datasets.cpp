// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/delivery/report_frame.h"

namespace forms::delivery {

core::PrintDatasets TZorvicDeliveryReport::printDatasets() {
    // No empty test: a quarter without deliveries still prints its (empty) report.
    return {{{"tblResult", &qResult}, {"qClientSum", &qClientSum}, {"tblObosob", &tblObosob}},
            {&qResult, &qClientSum, &tblObosob},
            {&qClientSum, &qResult, &tblObosob},
            nullptr};
}

}  // namespace forms::delivery
