#pragma once

// A drawn page as a QImage, without copying its pixels.

#include <QImage>

#include "host/report/page_painter.h"

namespace desk {

// The image owns the page's pixels from now on; the page is left empty.
QImage toQImage(host::PageImage&& page);

}  // namespace desk
