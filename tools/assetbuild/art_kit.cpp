// Shared palette and cairo drawing helpers of the tile and game pictures.
#include "assetbuild/art_kit.h"

#include <algorithm>
#include <cmath>

PictureData StripPicture(const std::string& name, int patterns, int w, int h,
                         const PatternPainter& paint, uint32_t matte, bool transparent) {
    Canvas canvas(w * patterns, h);
    for (int p = 0; p < patterns; ++p) {
        cairo_save(canvas.cr);
        cairo_translate(canvas.cr, p * w, 0);
        cairo_rectangle(canvas.cr, 0, 0, w, h);
        cairo_clip(canvas.cr);
        cairo_new_path(canvas.cr);
        paint(canvas.cr, p);
        cairo_restore(canvas.cr);
    }
    return CanvasToPicture(canvas, name, w, h, transparent, matte);
}

double Hash01(int a, int b, int c) {
    uint32_t h = 2166136261u;
    for (int v : {a, b, c}) {
        h ^= static_cast<uint32_t>(v) + 0x9E3779B9u + (h << 6) + (h >> 2);
        h *= 16777619u;
        h ^= h >> 15;
    }
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return (h & 0xFFFFFF) / 16777216.0;
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        double ca = (a >> shift) & 255, cb = (b >> shift) & 255;
        double v = std::clamp(ca + (cb - ca) * t, 0.0, 255.0);
        out |= static_cast<uint32_t>(v + 0.5) << shift;
    }
    return out;
}

uint32_t Shade(uint32_t rgb, double f) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        double v = std::clamp(((rgb >> shift) & 255) * f, 0.0, 255.0);
        out |= static_cast<uint32_t>(v + 0.5) << shift;
    }
    return out;
}

static void AddStop(cairo_pattern_t* pat, double offset, uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(pat, offset, ((rgb >> 16) & 255) / 255.0,
                                      ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha);
}

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t c0, uint32_t c1) {
    cairo_pattern_t* pat = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(pat, 0, c0, 1);
    AddStop(pat, 1, c1, 1);
    cairo_set_source(cr, pat);
    cairo_pattern_destroy(pat);
}

void SetRadial(cairo_t* cr, double cx, double cy, double r, uint32_t c0, uint32_t c1, double a0,
               double a1) {
    cairo_pattern_t* pat = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    AddStop(pat, 0, c0, a0);
    AddStop(pat, 1, c1, a1);
    cairo_set_source(cr, pat);
    cairo_pattern_destroy(pat);
}

void FillLit(cairo_t* cr, uint32_t fill, double outline, double contrast) {
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    SetLinear(cr, x0, y0, x1, y1, Shade(fill, 1 + contrast), Shade(fill, 1 - contrast));
    cairo_fill_preserve(cr);
    if (outline > 0) {
        StrokeInk(cr, outline);
    }
    cairo_new_path(cr);
}

void StrokeInk(cairo_t* cr, double width) {
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double r, uint32_t rgb, double alpha) {
    cairo_pattern_t* pat = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    AddStop(pat, 0, rgb, alpha);
    AddStop(pat, 0.45, rgb, alpha * 0.45);
    AddStop(pat, 1, rgb, 0);
    cairo_set_source(cr, pat);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
}

void BevelPlate(cairo_t* cr, double x, double y, double w, double h, double radius, uint32_t face,
                double bevel) {
    RoundedRect(cr, x, y, w, h, radius);
    SetLinear(cr, x, y, x + w, y + h, Shade(face, 1.25), Shade(face, 0.8));
    cairo_fill(cr);
    // Edges: light along the top and left, dark along the bottom and right.
    cairo_set_line_width(cr, bevel);
    double b = bevel / 2 + 0.75;
    SetRgb(cr, Shade(face, 1.6), 0.8);
    cairo_move_to(cr, x + b, y + h - radius - b);
    cairo_line_to(cr, x + b, y + b + radius * 0.3);
    cairo_line_to(cr, x + b + radius * 0.3, y + b);
    cairo_line_to(cr, x + w - radius - b, y + b);
    cairo_stroke(cr);
    SetRgb(cr, Shade(face, 0.5), 0.85);
    cairo_move_to(cr, x + w - b, y + radius + b);
    cairo_line_to(cr, x + w - b, y + h - b - radius * 0.3);
    cairo_line_to(cr, x + w - b - radius * 0.3, y + h - b);
    cairo_line_to(cr, x + radius + b, y + h - b);
    cairo_stroke(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    StrokeInk(cr, 1.2);
    cairo_new_path(cr);
}

void Rivet(cairo_t* cr, double x, double y, double r, uint32_t metal) {
    cairo_arc(cr, x + 0.6, y + 0.8, r, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk, 0.55);
    cairo_fill(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetRadial(cr, x - r * 0.35, y - r * 0.35, r * 1.3, Shade(metal, 1.3), Shade(metal, 0.55));
    cairo_fill_preserve(cr);
    StrokeInk(cr, 0.6);
    cairo_new_path(cr);
}

void ArrowPath(cairo_t* cr, double cx, double cy, double length, double head, double shaft,
               double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    double half = length / 2, headLen = head * 0.8;
    cairo_move_to(cr, half, 0);
    cairo_line_to(cr, half - headLen, -head / 2);
    cairo_line_to(cr, half - headLen, -shaft / 2);
    cairo_line_to(cr, -half, -shaft / 2);
    cairo_line_to(cr, -half, shaft / 2);
    cairo_line_to(cr, half - headLen, shaft / 2);
    cairo_line_to(cr, half - headLen, head / 2);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double size) {
    double s = size / 2;
    cairo_move_to(cr, cx, cy + s * 0.95);
    cairo_curve_to(cr, cx - s * 0.3, cy + s * 0.6, cx - s * 1.05, cy + s * 0.15, cx - s,
                   cy - s * 0.35);
    cairo_curve_to(cr, cx - s * 0.95, cy - s * 0.95, cx - s * 0.2, cy - s * 1.05, cx,
                   cy - s * 0.45);
    cairo_curve_to(cr, cx + s * 0.2, cy - s * 1.05, cx + s * 0.95, cy - s * 0.95, cx + s,
                   cy - s * 0.35);
    cairo_curve_to(cr, cx + s * 1.05, cy + s * 0.15, cx + s * 0.3, cy + s * 0.6, cx, cy + s * 0.95);
    cairo_close_path(cr);
}

void SparkStar(cairo_t* cr, double x, double y, double r, uint32_t rgb, double alpha) {
    double w = r * 0.28;
    cairo_move_to(cr, x + r, y);
    cairo_line_to(cr, x + w, y + w);
    cairo_line_to(cr, x, y + r);
    cairo_line_to(cr, x - w, y + w);
    cairo_line_to(cr, x - r, y);
    cairo_line_to(cr, x - w, y - w);
    cairo_line_to(cr, x, y - r);
    cairo_line_to(cr, x + w, y - w);
    cairo_close_path(cr);
    SetRgb(cr, rgb, alpha);
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.3, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF, alpha);
    cairo_fill(cr);
}

void OutlinedText(cairo_t* cr, const std::string& text, double cx, double y, double size,
                  uint32_t rgb, double outline, const char* face) {
    cairo_select_font_face(cr, face, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, y);
    cairo_text_path(cr, text.c_str());
    if (outline > 0) {
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, outline);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetRgb(cr, rgb);
    cairo_fill(cr);
}
