// Shared look of the menu pictures: palette, board backgrounds, plates, panels and outlined text.
#include "assetbuild/menu_style.h"

#include <cmath>
#include <sstream>

namespace {

void SelectFace(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double AlignedX(cairo_t* cr, const std::string& text, double x, Align align) {
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    if (align == Align::Center) return x - ext.x_advance / 2;
    if (align == Align::Right) return x - ext.x_advance;
    return x;
}

// One trace: a run on a 16-pixel grid, bending by 45 degrees once, with a pad at each end.
void DrawTrace(cairo_t* cr, Lcg& rng, double x, double y, double w, double h) {
    double px = x + rng.Range(0, static_cast<int>(w / 16)) * 16 + 8;
    double py = y + rng.Range(0, static_cast<int>(h / 16)) * 16 + 8;
    static const int dirs[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                   {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    int d = rng.Range(0, 3) * 2;  // start straight
    cairo_arc(cr, px, py, 3, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_move_to(cr, px, py);
    for (int leg = 0; leg < 3; ++leg) {
        int len = rng.Range(2, 7) * 16;
        px += dirs[d][0] * len;
        py += dirs[d][1] * len;
        cairo_line_to(cr, px, py);
        d = (d + (rng.Range(0, 1) ? 1 : 7)) % 8;
    }
    cairo_stroke(cr);
    cairo_arc(cr, px, py, 3.5, 0, 2 * M_PI);
    cairo_stroke(cr);
}

}  // namespace

void DrawBoard(cairo_t* cr, double x, double y, double w, double h, unsigned seed) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w * 0.3, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0x0A / 255.0, 0x12 / 255.0, 0x20 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x1C / 255.0, 0x2A / 255.0, 0x3E / 255.0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // vias: a faint dot grid
    SetRgb(cr, pal::kTrace, 0.55);
    for (double gy = y + 8; gy < y + h; gy += 32)
        for (double gx = x + 8; gx < x + w; gx += 32) cairo_rectangle(cr, gx - 1, gy - 1, 2, 2);
    cairo_fill(cr);
    Lcg rng(seed);
    SetRgb(cr, pal::kTrace);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    int traces = static_cast<int>(w * h / 5200) + 4;
    for (int i = 0; i < traces; ++i) DrawTrace(cr, rng, x, y, w, h);
    cairo_restore(cr);
}

void GoldPlate(cairo_t* cr, double x, double y, double w, double h, bool lit) {
    double r = std::min(8.0, h / 3);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    if (lit) {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.40, 0.12);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.30, 0.19, 0.05);
    } else {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.20, 0.27, 0.38);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.12, 0.20);
    }
    RoundedRect(cr, x + 1, y + 1, w - 2, h - 2, r);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // a thin highlight along the top edge, light from the top left
    SetRgb(cr, lit ? 0xFFE6A8 : 0x6F86A6, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + r + 1, y + 3.5);
    cairo_line_to(cr, x + w - r - 1, y + 3.5);
    cairo_stroke(cr);
}

void InsetPanel(cairo_t* cr, double x, double y, double w, double h, double radius) {
    RoundedRect(cr, x, y, w, h, radius);
    SetRgb(cr, 0x060B14);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x2A7F99);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // inner shadow along the top and left edges: the field is sunk into the panel
    SetRgb(cr, 0x000000, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 2, y + h - radius);
    cairo_line_to(cr, x + 2, y + 2);
    cairo_line_to(cr, x + w - radius, y + 2);
    cairo_stroke(cr);
}

void RaisedPanel(cairo_t* cr, double x, double y, double w, double h, double radius) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w * 0.2, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0x1F / 255.0, 0x30 / 255.0, 0x4A / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x0E / 255.0, 0x18 / 255.0, 0x29 / 255.0);
    RoundedRect(cr, x + 1, y + 1, w - 2, h - 2, radius);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, x + 4, y + 4, w - 8, h - 8, std::max(1.0, radius - 3));
    SetRgb(cr, 0x5A7090, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void OutlinedText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  uint32_t fill, Align align, bool bold, uint32_t outline, double outlineWidth) {
    SelectFace(cr, size, bold);
    cairo_new_path(cr);
    cairo_move_to(cr, AlignedX(cr, text, x, align), y);
    cairo_text_path(cr, text.c_str());
    SetRgb(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetRgb(cr, fill);
    cairo_fill(cr);
}

double PlainText(cairo_t* cr, const std::string& text, double x, double y, double size,
                 uint32_t fill, Align align, bool bold) {
    SelectFace(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    SetRgb(cr, fill);
    cairo_move_to(cr, AlignedX(cr, text, x, align), y);
    cairo_show_text(cr, text.c_str());
    return ext.x_advance;
}

double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold) {
    SelectFace(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

double WrappedText(cairo_t* cr, const std::string& text, double x, double y, double width,
                   double size, double lineHeight, uint32_t fill, bool bold) {
    std::istringstream words(text);
    std::string word, line;
    auto flush = [&]() {
        PlainText(cr, line, x, y, size, fill, Align::Left, bold);
        y += lineHeight;
        line.clear();
    };
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate, size, bold) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) flush();
    return y;
}

void GridEye(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    // the almond outline of the eye
    auto almond = [&]() {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - r, cy);
        cairo_curve_to(cr, cx - r * 0.45, cy - r * 0.78, cx + r * 0.45, cy - r * 0.78, cx + r, cy);
        cairo_curve_to(cr, cx + r * 0.45, cy + r * 0.78, cx - r * 0.45, cy + r * 0.78, cx - r, cy);
        cairo_close_path(cr);
    };
    almond();
    SetRgb(cr, 0x0C1A2C);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // the white of the eye is a grid of traces
    SetRgb(cr, 0x2E6A8A);
    cairo_set_line_width(cr, std::max(1.0, r / 60));
    double step = r / 6;
    for (double d = -r; d <= r; d += step) {
        cairo_move_to(cr, cx + d, cy - r);
        cairo_line_to(cr, cx + d, cy + r);
        cairo_move_to(cr, cx - r, cy + d);
        cairo_line_to(cr, cx + r, cy + d);
    }
    cairo_stroke(cr);
    // iris: cyan rings around a square pupil, like a chip seen from above
    double ir = r * 0.42;
    cairo_pattern_t* g =
        cairo_pattern_create_radial(cx - ir * 0.3, cy - ir * 0.3, ir * 0.1, cx, cy, ir);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.75, 0.97, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 0x3F / 255.0, 0xE0 / 255.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.35, 0.55);
    cairo_arc(cr, cx, cy, ir, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, 0x0A1220);
    cairo_set_line_width(cr, std::max(1.0, r / 45));
    cairo_arc(cr, cx, cy, ir * 0.72, 0, 2 * M_PI);
    cairo_stroke(cr);
    double p = ir * 0.36;
    cairo_rectangle(cr, cx - p, cy - p, 2 * p, 2 * p);
    cairo_fill(cr);
    SetRgb(cr, pal::kGold);
    cairo_rectangle(cr, cx - p * 0.45, cy - p * 0.45, p * 0.9, p * 0.9);
    cairo_fill(cr);
    SetRgb(cr, 0xFFFFFF, 0.85);
    cairo_arc(cr, cx - ir * 0.45, cy - ir * 0.45, ir * 0.14, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    // lids: gold rim
    almond();
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, std::max(2.0, r / 22));
    cairo_stroke(cr);
}
