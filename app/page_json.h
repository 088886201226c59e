#pragma once

// The parameters page as JSON or as text.

#include <string>

#include "host/frame/report_frame.h"

namespace app {

// The parameters page as one JSON object (UTF-8): `controls`, the frame's page in page order and
// then the base frame's controls it changes or reads, and `errors`, the validation lines.
std::string pageAsJson(host::TReportFrame& frame);

// The same, as lines a person reads.
std::string pageAsText(host::TReportFrame& frame);

}  // namespace app
