// The host's messages and the program's own shown on a terminal, in UTF-8.
#include "app/terminal_messages.h"

#include <iostream>
#include <mutex>

#include "app/terminal_progress.h"
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
    write(lines);
}

void TerminalMessages::say(const std::string& text) { write(text + "\n"); }

void TerminalMessages::write(const std::string& lines) {
    std::string out;
    if (prefix_.empty()) {
        out = lines;
    } else {
        for (std::size_t start = 0; start < lines.size();) {
            const std::size_t end = lines.find('\n', start);
            const std::size_t next = end == std::string::npos ? lines.size() : end + 1;
            out += prefix_;
            out.append(lines, start, next - start);
            start = next;
        }
    }
    std::unique_lock<std::mutex> quiet;
    if (progress_) quiet = progress_->quiet();
    std::cerr << out << std::flush;
}

}  // namespace app
