#pragma once

// The host's messages on a terminal.

#include <string>

#include "host/ui/message_box.h"

namespace app {

// A host text (windows-1251, lines ended by carriage returns) as the terminal shows it: UTF-8,
// each carriage return a line break.
std::string terminalText(const std::string& hostText);

// The host's message boxes on a terminal: the text on stderr, as terminalText forms it.
class TerminalMessages final : public host::ui::MessageService {
public:
    void show(const std::string& text, const std::string& caption) override;
    int shown() const { return shown_; }

private:
    int shown_ = 0;
};

}  // namespace app
