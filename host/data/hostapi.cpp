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

std::string XMLCheckStr(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            case '\t':
            case '\n':
            case '\r': out += c; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
        }
    }
    return out;
}

}  // namespace host
