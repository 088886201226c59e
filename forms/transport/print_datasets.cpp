// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/transport/report_frame.h"

namespace forms::transport {

core::PrintDatasets TZorvicTransportReport::printDatasets() {
    // The output kind is fixed on the file, so this is never reached from the page; it is the
    // purchase form's path all the same.
    return {{{"tblResult", &qResult}, {"qClientSum", &qClientSum}, {"tblObosob", &tblObosob}},
            {&qResult, &qClientSum, &tblObosob},
            {&qClientSum, &qResult, &tblObosob},
            &qResult};
}

}  // namespace forms::transport
