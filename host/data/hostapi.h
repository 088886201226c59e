#pragma once

#include <string>
#include <string_view>

#include "host/data/variant.h"
#include "host/host_api.h"

namespace host {

// Runs the complete SELECT text held by the one element of `args` and answers its first row: the
// value itself for one column, an array indexed from 0 for several, Null when no row comes back.
HOST_API Variant HxSqlQuery(const Variant::Array& args);

// Text made safe as an XML attribute value and element text: & < > " ' become entities, control
// characters other than TAB, LF and CR are dropped, every other byte stays.
HOST_API std::string XMLCheckStr(std::string_view text);

}  // namespace host
