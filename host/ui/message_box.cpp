// Showing a plug-in's modal message through the host's service.
#include "host/ui/message_box.h"

#include <stdexcept>

namespace host::ui {
namespace {
MessageService* g_service = nullptr;
}

void setMessageService(MessageService* service) { g_service = service; }

void showMessageBox(const std::string& text, const std::string& caption) {
    // A message nobody could see would be a failure reported as success.
    if (!g_service) throw std::logic_error("no message service is installed to show: " + text);
    g_service->show(text, caption);
}

}  // namespace host::ui
