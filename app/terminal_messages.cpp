// The host's messages shown on a terminal, in UTF-8.
#include "app/terminal_messages.h"

#include <iostream>

#include "host/text/cp1251.h"

namespace app {

std::string terminalText(const std::string& hostText) {
    std::string lines = host::cp1251ToUtf8(hostText);
    for (auto& c : lines)
        if (c == '\r') c = '\n';
    return lines;
}

void TerminalMessages::show(const std::string& text, const std::string&) {
    ++shown_;
    std::string lines = terminalText(text);
    if (!lines.empty() && lines.back() != '\n') lines += '\n';
    std::cerr << lines << std::flush;
}

}  // namespace app
