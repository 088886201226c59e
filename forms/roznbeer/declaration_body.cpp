// The body of the form 12 declaration file: beer knows neither supplier licences nor moves
// between subdivisions, a producer's requisites stand in a child element, and an entrepreneur's
// subdivisions go without a KPP.
#include "forms/roznbeer/report_frame.h"

namespace forms::roznbeer {

const core::retail::RetailForm kForm{
    .queries = {kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql},
    .producerRequisites = core::ProducerRequisites::ChildElement,
    .entrepreneurWithoutKpp = true,
};

}  // namespace forms::roznbeer
