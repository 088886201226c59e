#pragma once

// The report engine's error.

#include <stdexcept>

#include "host/host_api.h"

namespace host {

// A template that cannot be read, an expression that cannot be evaluated, an export that cannot
// be written. Like the other errors of the host package, the message is English and names the
// template, object or file concerned.
class HOST_API ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace host
