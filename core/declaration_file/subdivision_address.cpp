// A subdivision's address block in the declaration file.
#include "core/declaration_file/subdivision_address.h"

#include <string>

#include "core/declaration_file/text_forming.h"
#include "host/text/cp1251.h"

namespace core {

SubdivisionAddress::SubdivisionAddress(host::LocalDataSet& subdivisions) : subdivisions_(subdivisions) {
    for (const char* column : {"CL_COUNTRY_KOD", "CL_POST_INDEX", "CL_REGION", "CL_DISTRICT", "CL_CITY_CLEAR",
                               "CL_NAS_PUNKT", "CL_STREET", "CL_HOUSE_CLEAR", "CL_BUILDING", "CL_APPARTMENT"})
        columns_.push_back(subdivisions.fieldIndex(column));
}

void SubdivisionAddress::write(DeclarationWriter& out) {
    static const std::string kStart = host::W("<АдрОрг>");
    static const std::string kEnd = host::W("</АдрОрг>");
    std::vector<std::string> values;
    values.reserve(columns_.size());
    for (int column : columns_) values.push_back(subdivisions_.field(column).toText());
    out.line(kStart).line(addressLine(values)).line(kEnd);
}

}  // namespace core
