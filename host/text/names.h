// Comparison of the names that SQL texts, work tables and datasets use.
#pragma once

#include <string_view>

#include "host/host_api.h"

namespace host {

// Parameter, field and column names are compared without regard to case, as the databases
// themselves compare unquoted identifiers.
HOST_API bool sameName(std::string_view a, std::string_view b);

}  // namespace host
