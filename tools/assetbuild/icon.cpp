// The desktop icon: the bomb emblem of the main menu on a rounded circuit board tile with a gold
// rim, drawn once as a vector picture and once per pixel size, so that each size is sharp.
#include <cairo-svg.h>
#include <cairo.h>

#include "assetbuild/assets.h"
#include "assetbuild/menu_style.h"
#include "store/atomic_write.h"

namespace {

constexpr double kUnits = 256;  // the icon is drawn in a 256 x 256 box and scaled

void DrawIcon(cairo_t* cr, double size) {
    cairo_scale(cr, size / kUnits, size / kUnits);
    RoundedRect(cr, 10, 10, 236, 236, 44);
    cairo_save(cr);
    cairo_clip(cr);
    DrawBoard(cr, 10, 10, 236, 236, 11);
    cairo_restore(cr);
    RoundedRect(cr, 10, 10, 236, 236, 44);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    // The emblem's ring is centred at (72, 82) of its box; the spark reaches its top right.
    cairo_translate(cr, 128 - 72 * 1.45, 140 - 82 * 1.45);
    cairo_scale(cr, 1.45, 1.45);
    DrawBombEmblem(cr);
}

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    Bytes& out = *static_cast<Bytes*>(closure);
    out.insert(out.end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void Check(cairo_surface_t* surface, const std::string& path) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        throw FileError(path + ": cannot draw the icon (" +
                        cairo_status_to_string(cairo_surface_status(surface)) + ")");
}

void WriteSvgIcon(const std::string& path) {
    Bytes svg;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(Collect, &svg, kUnits, kUnits);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, kUnits);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    Check(surface, path);
    cairo_surface_destroy(surface);
    WriteFileAtomically(path, svg);
}

void WritePngIcon(const std::string& path, int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, size);
    cairo_destroy(cr);
    Bytes png;
    cairo_surface_write_to_png_stream(surface, Collect, &png);
    Check(surface, path);
    cairo_surface_destroy(surface);
    WriteFileAtomically(path, png);
}

}  // namespace

void WriteIcons(const std::string& folder) {
    WriteSvgIcon(folder + "/icon.svg");
    for (int size : {48, 64, 128, 256})
        WritePngIcon(folder + "/icon-" + std::to_string(size) + ".png", size);
}
