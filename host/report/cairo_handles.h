#pragma once

// Cairo and pango objects owned as unique pointers, and the page's millimetres in cairo's points:
// what the page painter and the PDF export both hold.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

namespace host::cairo_handles {

// Cairo's PDF units, and the painter's, are points.
inline double pt(double mm) { return mm * 72.0 / 25.4; }

template <typename T, void (*Free)(T*)>
struct Deleter {
    void operator()(T* p) const { Free(p); }
};
inline void unrefObject(void* p) { g_object_unref(p); }

using Surface = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using Cairo = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using Font = std::unique_ptr<PangoFontDescription, Deleter<PangoFontDescription, pango_font_description_free>>;
using GObject = std::unique_ptr<void, Deleter<void, unrefObject>>;
using FontOptions = std::unique_ptr<cairo_font_options_t, Deleter<cairo_font_options_t, cairo_font_options_destroy>>;

}  // namespace host::cairo_handles
