// Handing a drawn page's pixels over to a QImage.
#include "desk/preview/page_qimage.h"

#include <utility>
#include <vector>

namespace desk {

QImage toQImage(host::PageImage&& page) {
    using Pixels = std::vector<unsigned char>;
    // A page at a high zoom or a printer's resolution is tens of megabytes: moved, not copied.
    auto* pixels = new Pixels(std::move(page.pixels));
    QImage image(pixels->data(), page.width, page.height, page.stride, QImage::Format_RGB32,
                 [](void* owned) { delete static_cast<Pixels*>(owned); }, pixels);
    if (image.isNull()) delete pixels;
    return image;
}

}  // namespace desk
