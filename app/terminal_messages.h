#pragma once

// The host's messages, and the program's own, on a terminal.

#include <string>

#include "host/ui/message_box.h"

namespace app {

class TerminalProgress;

// A host text (windows-1251, lines ended by carriage returns) as the terminal shows it: UTF-8,
// each carriage return a line break.
std::string terminalText(const std::string& hostText);

// What the program says on stderr: the host's message boxes, as terminalText forms them, and the
// program's own lines. A status line showing the run's progress is cleared before each message.
class TerminalMessages final : public host::ui::MessageService {
public:
    explicit TerminalMessages(TerminalProgress* progress = nullptr) : progress_(progress) {}

    void show(const std::string& text, const std::string& caption) override;
    // One of the program's own messages (UTF-8), ended by a line break.
    void say(const std::string& text);
    int shown() const { return shown_; }

    // Every line said from now on starts with this (which organization of several said it).
    void setLinePrefix(std::string prefix) { prefix_ = std::move(prefix); }

private:
    void write(const std::string& lines);

    TerminalProgress* progress_;
    std::string prefix_;
    int shown_ = 0;
};

}  // namespace app
