// The body of the form 12 declaration file: beer knows neither supplier licences nor moves
// between subdivisions, and a producer's requisites stand in a child element.
#include "forms/roznbeer/report_frame.h"

namespace forms::roznbeer {

namespace {

const core::retail::RetailForm kForm{{kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql},
                                     false,
                                     false,
                                     core::ProducerRequisites::ChildElement,
                                     true,
                                     false};

}  // namespace

TZorvicRoznBeerReport::TZorvicRoznBeerReport() : RetailFrame(kProfile, kForm) {}

}  // namespace forms::roznbeer
