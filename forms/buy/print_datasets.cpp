// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/buy/report_frame.h"

namespace forms::buy {

core::PrintDatasets TZorvicBuyReport::printDatasets() {
    return {{{"tblResult", &qResult}, {"qClientSum", &qClientSum}, {"tblObosob", &tblObosob}},
            {&qResult, &qClientSum, &tblObosob},
            {&qClientSum, &qResult, &tblObosob},
            &qResult};
}

}  // namespace forms::buy
