// The host's helper calls for the plug-ins: the SQL lookup, and the XML escaping beside it.
#pragma once

#include "host/data/variant.h"
#include "host/host_api.h"
#include "host/text/xml_escape.h"

namespace host {

// Runs the complete SELECT text held by the one element of `args` and answers its first row: the
// value itself for one column, an array indexed from 0 for several, Null when no row comes back.
HOST_API Variant HxSqlQuery(const Variant::Array& args);

}  // namespace host
