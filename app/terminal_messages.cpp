#include "app/terminal_messages.h"

#include <iostream>

#include "host/text/cp1251.h"

namespace app {

void TerminalMessages::show(const std::string& text, const std::string&) {
    ++shown_;
    std::string lines = host::cp1251ToUtf8(text);
    for (auto& c : lines)
        if (c == '\r') c = '\n';
    if (!lines.empty() && lines.back() != '\n') lines += '\n';
    std::cerr << lines << std::flush;
}

}  // namespace app
