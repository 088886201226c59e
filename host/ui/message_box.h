#pragma once

// A plug-in's modal message and the host's service that shows it.

#include <string>

#include "host/host_api.h"

namespace host::ui {

// The host shows a plug-in's modal message (text and caption, windows-1251, a single OK button).
// The host installs its own service before it drives a frame.
class HOST_API MessageService {
public:
    virtual ~MessageService() = default;
    virtual void show(const std::string& text, const std::string& caption) = 0;
};

HOST_API void setMessageService(MessageService* service);
HOST_API void showMessageBox(const std::string& text, const std::string& caption);

}  // namespace host::ui
