// Cairo helpers shared by the picture builders.
#include "assetbuild/draw.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "media/surface.h"

Canvas::Canvas(int w, int h) : width(w), height(h) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

PictureData CanvasToPicture(const Canvas& canvas, const std::string& name, int patternWidth,
                            int patternHeight, bool transparent, uint32_t matte) {
    cairo_surface_flush(canvas.surface);
    PictureData p;
    p.Name = name;
    p.Width = canvas.width;
    p.Height = canvas.height;
    p.PatternWidth = patternWidth;
    p.PatternHeight = patternHeight;
    p.Transparent = transparent;
    p.TransparentColor = kKeyBgr;
    p.Rgb.resize(static_cast<size_t>(p.Width) * p.Height);
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface);
    int stride = cairo_image_surface_get_stride(canvas.surface);
    const uint16_t key565 = RgbTo565(kKeyRgb);
    double mr = (matte >> 16) & 255, mg = (matte >> 8) & 255, mb = matte & 255;
    for (int y = 0; y < p.Height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < p.Width; ++x) {
            uint32_t px = row[x];  // premultiplied ARGB
            double a = ((px >> 24) & 255) / 255.0;
            uint32_t out;
            if (transparent && a < 96.0 / 255.0) {
                out = kKeyRgb;
            } else {
                double r = ((px >> 16) & 255) + mr * (1 - a);
                double g = ((px >> 8) & 255) + mg * (1 - a);
                double b = (px & 255) + mb * (1 - a);
                auto clamp = [](double v) {
                    return static_cast<uint32_t>(std::clamp(v + 0.5, 0.0, 255.0));
                };
                out = (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
                if (RgbTo565(out) == key565) out = 0xF000F0;  // a drawn pixel never becomes the key
            }
            p.Rgb[static_cast<size_t>(y) * p.Width + x] = out;
        }
    }
    return p;
}

void SetRgb(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                          (rgb & 255) / 255.0, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

static void SelectFace(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void TextCentered(cairo_t* cr, const std::string& utf8, double cx, double y, double size,
                  uint32_t rgb, bool bold) {
    SelectFace(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    SetRgb(cr, rgb);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, y);
    cairo_show_text(cr, utf8.c_str());
}

void TextLeft(cairo_t* cr, const std::string& utf8, double x, double y, double size, uint32_t rgb,
              bool bold) {
    SelectFace(cr, size, bold);
    SetRgb(cr, rgb);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, utf8.c_str());
}
