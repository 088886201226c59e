#pragma once

// Opening the preview window over a prepared print form.

#include <memory>

class QWidget;

namespace host {
struct PreparedReport;
}

namespace desk {

// Shows the report in a preview window of its own (deleted when closed) and returns it.
QWidget* showPreview(std::shared_ptr<const host::PreparedReport> report, QWidget* parent);

}  // namespace desk
