#pragma once

// The local table engine's error.

#include <stdexcept>

#include "host/host_api.h"

namespace host {

// A failure of the local table engine; the message is the engine's, with the table concerned.
class HOST_API LocalTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace host
