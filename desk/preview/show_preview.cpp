// Opening the preview window.
#include "desk/preview/show_preview.h"

#include "desk/preview/preview_window.h"

namespace desk {

QWidget* showPreview(std::shared_ptr<const host::PageFile> report, QWidget* parent) {
    auto* window = new PreviewWindow(std::move(report), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}  // namespace desk
