// What the form's print form reads, and in which order its datasets are opened and closed.
#include "forms/rozn/report_frame.h"

namespace forms::rozn {

core::PrintDatasets TZorvicRoznReport::printDatasets() {
    // "tblResult" is the purchases table itself, opened by the report as it reads it.
    return {{{"tblResult", &tblResult},
             {"qClientSum", &qClientSum},
             {"tblObosob", &tblObosob},
             {"qClientOborot", &qClientOborot},
             {"tblResultOborot", tblResultOborot.get()}},
            {&qResult, &qClientSum, &qClientOborot, &tblObosob, tblResultOborot.get()},
            {&qClientSum, &qResult, &tblObosob, tblResultOborot.get(), &qClientOborot},
            tblResultOborot.get()};
}

}  // namespace forms::rozn
