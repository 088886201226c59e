// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/roznbeer/report_frame.h"

namespace forms::roznbeer {

core::PrintDatasets TZorvicRoznBeerReport::printDatasets() {
    return {{{"tblResult", &qResult},
             {"qClientSum", &qClientSum},
             {"tblObosob", &tblObosob},
             {"qClientOborot", &qClientOborot},
             {"tblResultOborot", tblResultOborot.get()}},
            {&qResult, &qClientSum, &qClientOborot, &tblObosob, tblResultOborot.get()},
            {&qClientSum, &qResult, &tblObosob, tblResultOborot.get(), &qClientOborot},
            tblResultOborot.get()};
}

}  // namespace forms::roznbeer
