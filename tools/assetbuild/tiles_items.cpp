// Tile pictures of the things the player collects or pushes: infotron, ball, bomb, extra life,
// dynamite.
#include <algorithm>
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/tiles.h"

namespace {

// One orbit of the infotron: an ink-backed cyan ellipse tilted by `tilt`, with its electron at
// `electron` radians along it.
void Orbit(cairo_t* cr, double tilt, double electron, double scale) {
    cairo_save(cr);
    cairo_rotate(cr, tilt);
    cairo_scale(cr, 1, 0.38);
    cairo_arc(cr, 0, 0, 17.5 * scale, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, 3.6 * scale);
    SetRgb(cr, pal::kInk);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.6 * scale);
    SetRgb(cr, 0x8FF0FF);
    cairo_stroke(cr);
    double ex = 17.5 * scale * std::cos(electron), ey = 17.5 * scale * 0.38 * std::sin(electron);
    double x = ex * std::cos(tilt) - ey * std::sin(tilt),
           y = ex * std::sin(tilt) + ey * std::cos(tilt);
    cairo_arc(cr, x, y, 3.2 * scale, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 2.2 * scale, 0, 2 * M_PI);
    SetRadial(cr, x - 0.6, y - 0.6, 2.4 * scale, 0xFFFFFF, pal::kCyan);
    cairo_fill(cr);
}

// The infotron centred at the origin, `scale` 1 fills a 40 px cell.
void InfotronAt(cairo_t* cr, double turn, double scale, double brightness) {
    // The core: a glowing cyan sphere.
    cairo_arc(cr, 0, 0, 9.5 * scale, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 8.2 * scale, 0, 2 * M_PI);
    SetRadial(cr, -2.5 * scale, -2.5 * scale, 9 * scale, Mix(0xE8FFFF, 0xFFFFFF, brightness),
              Mix(0x0E7FA8, pal::kCyan, brightness));
    cairo_fill(cr);
    cairo_rotate(cr, turn);
    Orbit(cr, M_PI / 5, 0.6, scale);
    Orbit(cr, -M_PI / 5, M_PI + 2.2, scale);
    cairo_arc(cr, -2.4 * scale, -2.6 * scale, 2 * scale, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF, 0.9);
    cairo_fill(cr);
}

}  // namespace

void PaintInfotron(cairo_t* cr, double turn) {
    cairo_translate(cr, 20, 20);
    InfotronAt(cr, turn, 1.0, 0.0);
}

void PaintInfotronSnapped(cairo_t* cr, int pattern) {
    cairo_translate(cr, 20, 20);
    double t = (pattern + 1) / 5.0;
    if (pattern < 4) InfotronAt(cr, t * 1.5, 1.0 - 0.7 * t, t);
    // Sparks fly outwards as the infotron is absorbed.
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3 + 0.3, r = 6 + 13 * t;
        SparkStar(cr, r * std::cos(a), r * std::sin(a), 2 + 2.5 * (1 - t), pal::kCyan);
    }
    if (pattern == 4) SparkStar(cr, 0, 0, 5, 0xB8F6FF);
}

void PaintBall(cairo_t* cr, double turn) {
    cairo_translate(cr, 20, 20);
    cairo_arc(cr, 0, 0, 18, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 16.6, 0, 2 * M_PI);
    SetRadial(cr, -6, -6, 24, 0x4A5262, 0x06080C);
    cairo_fill(cr);
    // Markings that turn with the roll: a seam band and a small secondary glint.
    cairo_save(cr);
    cairo_rotate(cr, turn);
    cairo_save(cr);
    cairo_scale(cr, 0.42, 1);
    cairo_arc(cr, 0, 0, 15.5, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRgb(cr, 0x2A3140, 0.95);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -11.5, 1.4, 0, 2 * M_PI);
    SetRgb(cr, 0x7C8798);
    cairo_fill(cr);
    cairo_restore(cr);
    // The white highlight stays where the light is.
    cairo_save(cr);
    cairo_translate(cr, -6.5, -7);
    cairo_rotate(cr, -M_PI / 4);
    cairo_scale(cr, 1.0, 0.6);
    cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRadial(cr, -6.5, -7, 6, 0xFFFFFF, 0x9AA4B4, 1.0, 0.0);
    cairo_fill(cr);
    cairo_arc(cr, -7.2, -7.6, 1.8, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF);
    cairo_fill(cr);
}

namespace {

// The bomb body centred at (0, 0): a round dark shell with a cap and a short lit fuse.
void BombAt(cairo_t* cr, double scale) {
    cairo_scale(cr, scale, scale);
    cairo_arc(cr, -1, 3, 13, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, -1, 3, 11.6, 0, 2 * M_PI);
    SetRadial(cr, -5, -1, 16, 0x4E5A70, 0x0C1018);
    cairo_fill(cr);
    cairo_arc(cr, -5, -2, 3, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF, 0.6);
    cairo_fill(cr);
    // The cap, tilted towards the top right.
    cairo_save(cr);
    cairo_translate(cr, 6.5, -6.5);
    cairo_rotate(cr, M_PI / 4);
    cairo_rectangle(cr, -4, -3, 8, 5);
    cairo_restore(cr);
    FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    // The fuse and its flame.
    cairo_move_to(cr, 8.5, -9);
    cairo_curve_to(cr, 11, -13, 13, -12, 13.5, -15);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetRgb(cr, 0xC9B08A);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

}  // namespace

void PaintBomb(cairo_t* cr, int pattern) {
    cairo_translate(cr, 19, 22);
    double scale = 1.0 - 0.24 * pattern;
    if (pattern < 4) {
        cairo_save(cr);
        BombAt(cr, scale);
        cairo_restore(cr);
    }
    // The spark at the fuse end grows as the bomb shrinks away.
    double sx = 13.5 * scale, sy = -15 * scale + pattern * 2.5;
    double r = 4 + pattern * 1.6;
    cairo_arc(cr, sx, sy, r * 0.8, 0, 2 * M_PI);
    SetRgb(cr, pal::kOrange, 0.55);
    cairo_fill(cr);
    SparkStar(cr, sx, sy, r, pal::kYellow);
}

void PaintExtraLife(cairo_t* cr) {
    // A heart-shaped energy cell: a steel casing, a glowing red core, a gold terminal on top.
    cairo_rectangle(cr, 17, 6, 6, 5);
    FillLit(cr, pal::kGold, 1.2, 0.4);
    HeartPath(cr, 20, 22, 34);
    FillLit(cr, pal::kMetalLight, 1.8, 0.45);
    HeartPath(cr, 20, 22.5, 25);
    SetRadial(cr, 15, 17, 18, 0xFFB0B0, 0xC01830);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1);
    cairo_new_path(cr);
    // Charge bars across the core.
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, 14, 17 + i * 4.5, 12 - i * 2.5, 2);
        SetRgb(cr, 0xFFE0E0, 0.85);
        cairo_fill(cr);
    }
    cairo_arc(cr, 13, 15.5, 2.2, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF, 0.9);
    cairo_fill(cr);
}

void PaintRedDynamite(cairo_t* cr) {
    // Three red sticks, the middle one in front, bound by black tape, with a lit fuse.
    for (int i : {0, 2, 1}) {
        double x = 8 + i * 8.5, y = i == 1 ? 12 : 14;
        RoundedRect(cr, x, y, 9, 24, 2.5);
        SetLinear(cr, x, 0, x + 9, 0, 0xFF8A7A, 0x9A1010);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1.3);
        cairo_new_path(cr);
        cairo_rectangle(cr, x + 1, y + 1.2, 7, 2.5);
        SetRgb(cr, 0xF2E6D0, 0.9);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 7, 25, 26, 5);
    FillLit(cr, 0x2A2A30, 1.2, 0.5);
    cairo_move_to(cr, 21, 12);
    cairo_curve_to(cr, 21, 7, 26, 8, 27, 4.5);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetRgb(cr, 0xD8C8A8);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    SparkStar(cr, 27.5, 4.5, 4.2, pal::kYellow);
}

void PaintYellowDynamite(cairo_t* cr) {
    // A yellow canister with a band of hazard stripes and a screw cap.
    RoundedRect(cr, 14, 3.5, 12, 6, 1.5);
    FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    RoundedRect(cr, 8, 8, 24, 29, 5);
    SetLinear(cr, 8, 0, 32, 0, 0xFFF0A0, 0xC08A10);
    cairo_fill(cr);
    cairo_save(cr);
    RoundedRect(cr, 8, 8, 24, 29, 5);
    cairo_clip(cr);
    cairo_rectangle(cr, 8, 17, 24, 11);
    SetRgb(cr, 0x1A1A1E);
    cairo_fill(cr);
    for (int i = -2; i < 6; ++i) {
        double x = 8 + i * 6;
        cairo_move_to(cr, x, 28);
        cairo_line_to(cr, x + 3, 28);
        cairo_line_to(cr, x + 14, 17);
        cairo_line_to(cr, x + 11, 17);
        cairo_close_path(cr);
    }
    SetRgb(cr, pal::kYellow);
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, 8, 8, 24, 29, 5);
    StrokeInk(cr, 1.6);
    cairo_new_path(cr);
    cairo_move_to(cr, 11.5, 12);
    cairo_line_to(cr, 11.5, 33);
    SetRgb(cr, 0xFFFFFF, 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}
