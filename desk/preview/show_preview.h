#pragma once

// Opening the preview window over a prepared print form.

#include <memory>

class QWidget;

namespace host {
class PageFile;
}

namespace desk {

// Shows the report in a preview window of its own (deleted when closed) and returns it.
QWidget* showPreview(std::shared_ptr<const host::PageFile> report, QWidget* parent);

}  // namespace desk
