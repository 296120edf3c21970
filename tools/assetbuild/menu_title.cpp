// Logo, menu board, the two title layers, the bomb emblem, the main menu items and the pointer.
#include <cmath>

#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

// The title's two lines, laid out identically in both layers; (dx, dy) shifts the lettering.
void TitlePath(cairo_t* cr, double dx, double dy) {
    const char* top = "TOLMARA";
    const char* bottom = "DEEPGRID";
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 72);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, top, &ext);
    double width = ext.x_advance;
    cairo_move_to(cr, 10 + dx - ext.x_bearing, 66 + dy);
    cairo_text_path(cr, top);
    // the second line is spaced out letter by letter to the width of the first
    cairo_set_font_size(cr, 30);
    double letters = 0;
    for (const char* c = bottom; *c; ++c) {
        char s[2] = {*c, 0};
        cairo_text_extents(cr, s, &ext);
        letters += ext.x_advance;
    }
    double gap = (width - letters) / 7;
    double x = 12 + dx;
    for (const char* c = bottom; *c; ++c) {
        char s[2] = {*c, 0};
        cairo_text_extents(cr, s, &ext);
        cairo_move_to(cr, x, 102 + dy);
        cairo_text_path(cr, s);
        x += ext.x_advance + gap;
    }
}

// "sm": the lettering itself, gold fading to white, with a dark outline.
PictureData TitleLettering() {
    Canvas c(440, 110);
    TitlePath(c.cr, 0, 0);
    SetRgb(c.cr, 0x07101C);
    cairo_set_line_width(c.cr, 4);
    cairo_set_line_join(c.cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(c.cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 8, 0, 104);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.97, 0.85);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0xF2 / 255.0, 0xB6 / 255.0, 0x40 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 0.62, 0x3F / 255.0, 0xE0 / 255.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.70, 0.95, 1.0);
    cairo_set_source(c.cr, g);
    cairo_fill(c.cr);
    cairo_pattern_destroy(g);
    return CanvasToPicture(c, "sm", 0, 0, true, pal::kBoardMid);
}

// "m2": the glow layer behind the lettering. It rests 7 pixels right of "sm", so its letters are
// drawn 3 pixels left of the lettering's: at rest the glow sits 4 pixels right and down.
PictureData TitleGlow() {
    Canvas c(440, 110);
    TitlePath(c.cr, -3, 4);
    cairo_set_line_join(c.cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(c.cr, 0x0B2D40);
    cairo_set_line_width(c.cr, 14);
    cairo_stroke_preserve(c.cr);
    SetRgb(c.cr, 0x16627E);
    cairo_set_line_width(c.cr, 8);
    cairo_stroke_preserve(c.cr);
    SetRgb(c.cr, 0x1F8FB0);
    cairo_fill(c.cr);
    return CanvasToPicture(c, "m2", 0, 0, true, pal::kBoardMid);
}

PictureData Background() {
    Canvas c(640, 480);
    DrawBoard(c.cr, 0, 0, 640, 480, 7);
    return CanvasToPicture(c, "background", 0, 0, false);
}

// The maker logo: the grid-eye emblem and the game's name on black, shown fading in.
PictureData Logo() {
    Canvas c(640, 480);
    SetRgb(c.cr, 0x000000);
    cairo_paint(c.cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(320, 200, 10, 320, 200, 300);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.06, 0.16, 0.26, 1);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 1);
    cairo_set_source(c.cr, g);
    cairo_paint(c.cr);
    cairo_pattern_destroy(g);
    GridEye(c.cr, 320, 200, 170);
    OutlinedText(c.cr, "TOLMARA DEEPGRID", 320, 392, 44, pal::kGold, Align::Center, true, 0x000000,
                 4);
    PlainText(c.cr, "a journey into the deep grid", 320, 426, 18, pal::kCyan, Align::Center);
    return CanvasToPicture(c, "brinloft", 0, 0, false, 0x000000);
}

}  // namespace

// The bomb emblem in a 150 x 150 box: a round dark bomb with a lit fuse, inside a thin cyan ring.
void DrawBombEmblem(cairo_t* cr) {
    SetRgb(cr, pal::kCyan, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_arc(cr, 72, 82, 62, M_PI * 0.62, M_PI * 2.15);
    cairo_stroke(cr);
    // fuse cap and fuse
    cairo_save(cr);
    cairo_translate(cr, 72, 88);
    cairo_rotate(cr, M_PI / 4);
    RoundedRect(cr, -12, -66, 24, 22, 4);
    SetRgb(cr, pal::kMetalDark);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x0A0E14);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    SetRgb(cr, 0xC9A36A);
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, 112, 46);
    cairo_curve_to(cr, 120, 36, 116, 26, 128, 20);
    cairo_stroke(cr);
    // the body: glossy near-black sphere lit from the top left
    cairo_pattern_t* g = cairo_pattern_create_radial(52, 66, 6, 72, 88, 50);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.60, 0.68);
    cairo_pattern_add_color_stop_rgb(g, 0.35, 0.16, 0.19, 0.24);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.03, 0.04, 0.06);
    cairo_arc(cr, 72, 88, 48, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, 0x05070A);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    SetRgb(cr, 0xFFFFFF, 0.9);
    cairo_arc(cr, 54, 68, 7, 0, 2 * M_PI);
    cairo_fill(cr);
    // the spark: an orange star with a yellow and white core
    const uint32_t colours[3] = {pal::kOrange, pal::kYellow, 0xFFFFFF};
    const double radii[3] = {17, 10, 4};
    for (int layer = 0; layer < 3; ++layer) {
        cairo_new_path(cr);
        for (int i = 0; i < 16; ++i) {
            double a = i * M_PI / 8, rr = (i % 2) ? radii[layer] * 0.45 : radii[layer];
            cairo_line_to(cr, 129 + rr * std::cos(a), 19 + rr * std::sin(a));
        }
        cairo_close_path(cr);
        SetRgb(cr, colours[layer]);
        cairo_fill(cr);
    }
}

namespace {

// "bomba": the bomb emblem of the main menu.
PictureData BombEmblem() {
    Canvas c(150, 150);
    DrawBombEmblem(c.cr);
    return CanvasToPicture(c, "bomba", 0, 0, true, pal::kBoardMid);
}

PictureData MenuItem(const char* name, const char* label) {
    Canvas c(200, 36);
    GoldPlate(c.cr, 0, 0, 200, 36, false);
    // a small cyan diamond on each side marks the item
    SetRgb(c.cr, pal::kCyan);
    for (double x : {16.0, 184.0}) {
        cairo_move_to(c.cr, x, 12);
        cairo_line_to(c.cr, x + 6, 18);
        cairo_line_to(c.cr, x, 24);
        cairo_line_to(c.cr, x - 6, 18);
        cairo_close_path(c.cr);
    }
    cairo_fill(c.cr);
    OutlinedText(c.cr, label, 100, 25, 19, pal::kText);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

// The pointer: an arrow whose tip is the top-left pixel (the hot spot).
PictureData Pointer() {
    Canvas c(20, 24);
    cairo_t* cr = c.cr;
    cairo_move_to(cr, 0.8, 0.8);
    cairo_line_to(cr, 0.8, 18.5);
    cairo_line_to(cr, 5.2, 14.4);
    cairo_line_to(cr, 8.6, 22.2);
    cairo_line_to(cr, 11.8, 20.8);
    cairo_line_to(cr, 8.4, 13.2);
    cairo_line_to(cr, 14.2, 13.2);
    cairo_close_path(cr);
    SetRgb(cr, pal::kText);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x05080E);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    SetRgb(cr, pal::kCyan);
    cairo_move_to(cr, 2.5, 4);
    cairo_line_to(cr, 2.5, 14);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return CanvasToPicture(c, "mouse", 0, 0, true, pal::kBoardMid);
}

}  // namespace

void AddTitlePictures(std::vector<PictureData>& out) {
    out.push_back(Logo());
    out.push_back(Background());
    out.push_back(TitleLettering());
    out.push_back(TitleGlow());
    out.push_back(BombEmblem());
    out.push_back(MenuItem("sg", "START GAME"));
    out.push_back(MenuItem("op", "OPTIONS"));
    out.push_back(MenuItem("in", "INFORMATION"));
    out.push_back(MenuItem("cr", "CREDITS"));
    out.push_back(MenuItem("exit", "EXIT"));
    out.push_back(Pointer());
}
