#pragma once

#include "host/ui/message_box.h"

namespace app {

// The host's message boxes on a terminal: the text on stderr in UTF-8, each carriage return a
// line break. The program counts them, since a message box that ends a run is its failure.
class TerminalMessages final : public host::ui::MessageService {
public:
    void show(const std::string& text, const std::string& caption) override;
    int shown() const { return shown_; }

private:
    int shown_ = 0;
};

}  // namespace app
