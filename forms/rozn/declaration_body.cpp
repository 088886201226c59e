// The body of the form 11 declaration file: suppliers with their licences, moves between
// subdivisions declared; the print form reads the purchase table itself.
#include "forms/rozn/report_frame.h"

namespace forms::rozn {

const core::retail::RetailForm kForm{
    .queries = {kResultSql, kClientsSql, kManufacturersSql, kClientSumSql, kClientOborotSql},
    .licensed = true,
    .moves = true,
    .printsResultTable = true,
};

}  // namespace forms::rozn
