// The body of the form 11 declaration file: suppliers with their licences, moves declared.
#include "forms/rozn/report_frame.h"

namespace forms::rozn {

namespace {

const core::retail::RetailForm kForm{{kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql},
                                     true,
                                     true,
                                     core::ProducerRequisites::Attributes,
                                     false,
                                     true};

}  // namespace

TZorvicRoznReport::TZorvicRoznReport() : RetailFrame(kProfile, kForm) {}

}  // namespace forms::rozn
