// Small drawings of the game's tiles for the help pages, in the style of the 40 x 40 tiles.
#include "assetbuild/menu_icons.h"

#include <cmath>

#include "assetbuild/menu_style.h"

namespace {

// Every icon is drawn in a 40 x 40 unit square; Begin maps it onto the requested box.
void Begin(cairo_t* cr, double x, double y, double size) {
    cairo_save(cr);
    cairo_new_path(cr);  // the current point of text drawn before must not join the icon's path
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 40.0, size / 40.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
}

void End(cairo_t* cr) { cairo_restore(cr); }

void Outline(cairo_t* cr, double width = 1.5) {
    SetRgb(cr, 0x05080E);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A sphere lit from the top left: light centre colour, dark rim colour.
void Sphere(cairo_t* cr, double cx, double cy, double r, uint32_t light, uint32_t dark) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0, ((light >> 16) & 255) / 255.0, ((light >> 8) & 255) / 255.0,
                                     (light & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((dark >> 16) & 255) / 255.0, ((dark >> 8) & 255) / 255.0,
                                     (dark & 255) / 255.0);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr);
}

// An arrow pointing right along the x axis, centred at the origin, rotated to dir.
void Arrow(cairo_t* cr, double cx, double cy, double len, Dir dir, uint32_t colour) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, static_cast<int>(dir) * M_PI / 2);
    double h = len / 2;
    cairo_move_to(cr, -h, -len * 0.16);
    cairo_line_to(cr, h * 0.15, -len * 0.16);
    cairo_line_to(cr, h * 0.15, -len * 0.38);
    cairo_line_to(cr, h, 0);
    cairo_line_to(cr, h * 0.15, len * 0.38);
    cairo_line_to(cr, h * 0.15, len * 0.16);
    cairo_line_to(cr, -h, len * 0.16);
    cairo_close_path(cr);
    SetRgb(cr, colour);
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    cairo_restore(cr);
}

void MetalBox(cairo_t* cr, double x, double y, double w, double h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0xD6 / 255.0, 0xDD / 255.0, 0xE8 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x5A / 255.0, 0x64 / 255.0, 0x76 / 255.0);
    RoundedRect(cr, x, y, w, h, 3);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr);
}

}  // namespace

void IconFloor(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    cairo_rectangle(cr, 1, 1, 38, 38);
    SetRgb(cr, 0x3A4556);
    cairo_fill_preserve(cr);
    Outline(cr);
    SetRgb(cr, 0x2A3340);
    cairo_set_line_width(cr, 1);
    for (double d = 8; d < 38; d += 8) {
        cairo_move_to(cr, d, 2);
        cairo_line_to(cr, d, 38);
        cairo_move_to(cr, 2, d);
        cairo_line_to(cr, 38, d);
    }
    cairo_stroke(cr);
    SetRgb(cr, 0x56647A);
    cairo_move_to(cr, 2, 2.5);
    cairo_line_to(cr, 38, 2.5);
    cairo_stroke(cr);
    End(cr);
}

void IconCircuit(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    RoundedRect(cr, 2, 2, 36, 36, 3);
    SetRgb(cr, 0x1E7A3C);
    cairo_fill_preserve(cr);
    Outline(cr);
    SetRgb(cr, 0x3FBF66);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 5, 30);
    cairo_line_to(cr, 12, 30);
    cairo_line_to(cr, 16, 26);
    cairo_move_to(cr, 35, 8);
    cairo_line_to(cr, 28, 8);
    cairo_stroke(cr);
    // the chip with gold pins on two sides
    SetRgb(cr, pal::kGold);
    for (double py = 13; py <= 25; py += 4) {
        cairo_rectangle(cr, 9, py, 4, 2);
        cairo_rectangle(cr, 27, py, 4, 2);
    }
    cairo_fill(cr);
    RoundedRect(cr, 12, 11, 16, 18, 2);
    SetRgb(cr, 0x15181E);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    SetRgb(cr, 0x4A5262);
    cairo_arc(cr, 16, 15, 1.5, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconInfotron(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    for (int k = 0; k < 2; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 20, 20);
        cairo_rotate(cr, k ? M_PI / 5 : -M_PI / 5);
        cairo_scale(cr, 1, 0.42);
        cairo_arc(cr, 0, 0, 17, 0, 2 * M_PI);
        cairo_restore(cr);
        SetRgb(cr, 0x9FF2FF);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    Sphere(cr, 20, 20, 9, 0xE6FCFF, 0x1A8FB8);
    SetRgb(cr, pal::kCyan);
    for (auto [ex, ey] : {std::pair{6.5, 10.0}, std::pair{33.5, 10.0}}) {
        cairo_arc(cr, ex, ey, 3, 0, 2 * M_PI);
        cairo_fill_preserve(cr);
        Outline(cr, 1);
    }
    End(cr);
}

void IconBall(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    Sphere(cr, 20, 20, 17.5, 0x59606C, 0x050608);
    SetRgb(cr, 0xFFFFFF, 0.95);
    cairo_arc(cr, 13, 13, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconRedDynamite(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    SetRgb(cr, 0xC9A36A);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 20, 10);
    cairo_curve_to(cr, 21, 5, 26, 6, 28, 2);
    cairo_stroke(cr);
    for (double sx : {8.0, 16.0, 24.0}) {
        cairo_pattern_t* g = cairo_pattern_create_linear(sx, 0, sx + 8, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.45, 0.40);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.60, 0.08, 0.08);
        RoundedRect(cr, sx, 10, 8, 27, 2.5);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Outline(cr, 1.2);
    }
    cairo_rectangle(cr, 7, 20, 26, 5);
    SetRgb(cr, 0x2A2A30);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    SetRgb(cr, pal::kYellow);
    cairo_arc(cr, 28, 2.5, 2.2, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconYellowDynamite(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    RoundedRect(cr, 8, 5, 24, 32, 5);
    SetRgb(cr, pal::kYellow);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetRgb(cr, 0x1A1A1A);
    for (double d = -30; d < 40; d += 9) {
        cairo_move_to(cr, d, 40);
        cairo_line_to(cr, d + 4.5, 40);
        cairo_line_to(cr, d + 38.5, 5);
        cairo_line_to(cr, d + 34, 5);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_restore(cr);
    Outline(cr);
    RoundedRect(cr, 13, 2, 14, 5, 1.5);
    SetRgb(cr, pal::kMetalDark);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    End(cr);
}

void IconBomb(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    SetRgb(cr, 0xC9A36A);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 27, 11);
    cairo_curve_to(cr, 30, 6, 31, 5, 34, 5);
    cairo_stroke(cr);
    Sphere(cr, 18, 23, 14, 0x6A7282, 0x07090C);
    SetRgb(cr, pal::kOrange);
    cairo_arc(cr, 34.5, 5, 4, 0, 2 * M_PI);
    cairo_fill(cr);
    SetRgb(cr, pal::kYellow);
    cairo_arc(cr, 34.5, 5, 2, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconLife(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    cairo_move_to(cr, 20, 35);
    cairo_curve_to(cr, 6, 25, 2, 17, 5, 10);
    cairo_curve_to(cr, 8, 3, 17, 3, 20, 11);
    cairo_curve_to(cr, 23, 3, 32, 3, 35, 10);
    cairo_curve_to(cr, 38, 17, 34, 25, 20, 35);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(5, 5, 32, 32);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.55, 0.60);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.70, 0.08, 0.18);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr);
    // the cell's charge: a cyan bolt
    cairo_move_to(cr, 22, 9);
    cairo_line_to(cr, 15, 20);
    cairo_line_to(cr, 20, 20);
    cairo_line_to(cr, 17, 29);
    cairo_line_to(cr, 25, 17);
    cairo_line_to(cr, 20, 17);
    cairo_close_path(cr);
    SetRgb(cr, pal::kCyan);
    cairo_fill_preserve(cr);
    Outline(cr, 0.8);
    End(cr);
}

void IconExit(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    MetalBox(cr, 2, 2, 36, 36);
    RoundedRect(cr, 7, 6, 26, 28, 2);
    cairo_pattern_t* g = cairo_pattern_create_radial(20, 20, 2, 20, 20, 18);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.45, 0.60);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, 1);
    Arrow(cr, 20, 20, 20, Dir::Down, pal::kGold);
    End(cr);
}

void IconPort(cairo_t* cr, double x, double y, double size, Dir dir) {
    Begin(cr, x, y, size);
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, static_cast<int>(dir) * M_PI / 2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -12, 0, 12);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.84, 0.87, 0.91);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.30, 0.34, 0.42);
    cairo_rectangle(cr, -20, -12, 40, 24);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr);
    for (double rx : {-19.0, 15.0}) {
        cairo_rectangle(cr, rx, -14, 4, 28);
        SetRgb(cr, pal::kMetalDark);
        cairo_fill_preserve(cr);
        Outline(cr, 1);
    }
    cairo_restore(cr);
    Arrow(cr, 20, 20, 22, dir, pal::kCyan);
    End(cr);
}

void IconTerminal(cairo_t* cr, double x, double y, double size, int kind) {
    Begin(cr, x, y, size);
    MetalBox(cr, 3, 6, 34, 31);
    RoundedRect(cr, 7, 10, 26, 9, 1.5);
    SetRgb(cr, kind == 2 ? 0x1A2230 : 0x0F3A2A);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    if (kind != 2) {
        SetRgb(cr, 0x5BFF9A);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, 9, 15);
        cairo_line_to(cr, 14, 15);
        cairo_line_to(cr, 16, 12);
        cairo_line_to(cr, 18, 17);
        cairo_line_to(cr, 31, 15);
        cairo_stroke(cr);
    }
    uint32_t button = kind == 2 ? 0x4A2020 : pal::kRed;
    Sphere(cr, 20, 28, 6.5, kind == 2 ? 0x6A3030 : 0xFFB0A0, button);
    if (kind >= 1) Arrow(cr, 20, 28, 9, Dir::Down, kind == 2 ? 0x555A66 : 0xFFFFFF);
    End(cr);
}

void IconTrap(cairo_t* cr, double x, double y, double size, Dir throwDir) {
    Begin(cr, x, y, size);
    cairo_rectangle(cr, 2, 2, 36, 36);
    SetRgb(cr, 0x2C3444);
    cairo_fill_preserve(cr);
    Outline(cr);
    // a spring between two plates
    SetRgb(cr, pal::kMetalLight);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 8, 30);
    for (int i = 0; i < 6; ++i) cairo_line_to(cr, 11 + i * 4, (i % 2) ? 30 : 24);
    cairo_stroke(cr);
    cairo_rectangle(cr, 5, 31, 30, 4);
    cairo_rectangle(cr, 5, 20, 30, 3);
    SetRgb(cr, pal::kOrange);
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    Arrow(cr, 20, 11, 18, throwDir, pal::kYellow);
    End(cr);
}

void IconFan(cairo_t* cr, double x, double y, double size, Dir pull) {
    Begin(cr, x, y, size);
    MetalBox(cr, 2, 2, 36, 36);
    cairo_arc(cr, 20, 20, 14, 0, 2 * M_PI);
    SetRgb(cr, 0x141A24);
    cairo_fill(cr);
    for (int b = 0; b < 4; ++b) {
        cairo_save(cr);
        cairo_translate(cr, 20, 20);
        cairo_rotate(cr, b * M_PI / 2 + 0.3);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 4, -5, 10, -6, 12, -2);
        cairo_curve_to(cr, 8, 1, 4, 2, 0, 0);
        SetRgb(cr, pal::kMetalLight);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_arc(cr, 20, 20, 3, 0, 2 * M_PI);
    SetRgb(cr, pal::kGold);
    cairo_fill(cr);
    // air lines towards the pull
    SetRgb(cr, pal::kCyan);
    cairo_set_line_width(cr, 1.5);
    double sx = pull == Dir::Left ? -1 : 1;
    for (double ly : {9.0, 31.0}) {
        cairo_move_to(cr, 20 - sx * 6, ly);
        cairo_line_to(cr, 20 + sx * 12, ly);
    }
    cairo_stroke(cr);
    End(cr);
}

void IconPlasma(cairo_t* cr, double x, double y, double size, bool deadly) {
    Begin(cr, x, y, size);
    cairo_rectangle(cr, 2, 2, 36, 36);
    SetRgb(cr, 0x1A1F2A);
    cairo_fill_preserve(cr);
    Outline(cr);
    if (deadly) {
        Sphere(cr, 20, 20, 15, 0xFFE0A0, 0xD01818);
    } else {
        Sphere(cr, 20, 20, 9, 0xC8F0FF, 0x1848C0);
    }
    SetRgb(cr, pal::kMetalDark);
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
    cairo_stroke(cr);
    End(cr);
}

void IconSawDrone(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    cairo_new_path(cr);
    for (int i = 0; i < 24; ++i) {
        double a = i * M_PI / 12, r = (i % 2) ? 13.5 : 18;
        cairo_line_to(cr, 20 + r * std::cos(a), 20 + r * std::sin(a));
    }
    cairo_close_path(cr);
    SetRgb(cr, pal::kMetalLight);
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    Sphere(cr, 20, 20, 9, 0x8A96A8, 0x2A303A);
    cairo_arc(cr, 20, 20, 4, 0, 2 * M_PI);
    SetRgb(cr, pal::kRed);
    cairo_fill(cr);
    SetRgb(cr, 0xFFFFFF);
    cairo_arc(cr, 18.5, 18.5, 1.2, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconSpark(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    Lcg rng(5);
    cairo_new_path(cr);
    for (int i = 0; i < 18; ++i) {
        double a = i * M_PI / 9, r = (i % 2) ? 8 + rng.Unit() * 3 : 15 + rng.Unit() * 4;
        cairo_line_to(cr, 20 + r * std::cos(a), 21 + r * std::sin(a));
    }
    cairo_close_path(cr);
    SetRgb(cr, pal::kYellow);
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    cairo_arc(cr, 20, 21, 8, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF);
    cairo_fill(cr);
    SetRgb(cr, 0x102040);
    cairo_arc(cr, 17, 20, 1.8, 0, 2 * M_PI);
    cairo_arc(cr, 23, 20, 1.8, 0, 2 * M_PI);
    cairo_fill(cr);
    End(cr);
}

void IconHardWall(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    MetalBox(cr, 1, 1, 38, 38);
    SetRgb(cr, 0x3A4250);
    for (auto [rx, ry] : {std::pair{6.0, 6.0}, std::pair{34.0, 6.0}, std::pair{6.0, 34.0}, std::pair{34.0, 34.0}}) {
        cairo_arc(cr, rx, ry, 2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    End(cr);
}

void IconBrickWall(cairo_t* cr, double x, double y, double size) {
    Begin(cr, x, y, size);
    cairo_rectangle(cr, 1, 1, 38, 38);
    SetRgb(cr, 0xB8A58C);
    cairo_fill_preserve(cr);
    Outline(cr);
    SetRgb(cr, 0x6E6152);
    cairo_set_line_width(cr, 1.5);
    for (double ry = 10; ry < 39; ry += 10) {
        cairo_move_to(cr, 1, ry);
        cairo_line_to(cr, 39, ry);
    }
    for (int row = 0; row < 4; ++row)
        for (double rx = (row % 2) ? 10 : 20; rx < 39; rx += 20) {
            cairo_move_to(cr, rx, 1 + row * 10);
            cairo_line_to(cr, rx, 10 + row * 10);
        }
    cairo_stroke(cr);
    End(cr);
}
