// Escaping of text for the XML the host and the plug-ins write.
#pragma once

#include <string>
#include <string_view>

#include "host/host_api.h"

namespace host {

// Text made safe as an XML attribute value and element text: & < > " ' become entities, control
// characters other than TAB, LF and CR are dropped, every other byte stays.
HOST_API std::string XMLCheckStr(std::string_view text);

}  // namespace host
