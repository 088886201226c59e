// The host's SQL lookup for the plug-ins.
#include "host/data/hostapi.h"

#include <stdexcept>

#include "host/data/main_dm.h"

namespace host {

Variant HxSqlQuery(const Variant::Array& args) {
    if (args.size() != 1 || !args.front().isText())
        throw std::invalid_argument("HxSqlQuery takes exactly one argument, the SELECT text");
    const auto row = MainDM().Database().firstRow(args.front().text());
    if (!row || row->empty()) return Variant::null();
    if (row->size() == 1) return row->front();
    return Variant(Variant::Array(*row));
}

}  // namespace host
