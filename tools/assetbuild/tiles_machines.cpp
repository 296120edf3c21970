// Tile pictures of the level's machinery: traps, ports, terminals, the exit and the data panel.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/tiles.h"

void PaintTrap(cairo_t* cr, double throwAngle) {
    BevelPlate(cr, 0.5, 0.5, 39, 39, 3, 0x4A5568, 2.5);
    // Caution corners.
    for (auto [x, y] :
         {std::pair{3.0, 3.0}, std::pair{37.0, 3.0}, std::pair{3.0, 37.0}, std::pair{37.0, 37.0}}) {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + (x < 20 ? 6 : -6), y);
        cairo_line_to(cr, x, y + (y < 20 ? 6 : -6));
        cairo_close_path(cr);
    }
    SetRgb(cr, pal::kYellow, 0.9);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, throwAngle);
    // The coil behind the pusher, drawn for a throw to the right.
    cairo_move_to(cr, -15, 0);
    for (int i = 0; i < 5; ++i) {
        double x = -14 + i * 2.2;
        cairo_line_to(cr, x, i % 2 ? -8 : 8);
    }
    cairo_line_to(cr, -3, 0);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    SetRgb(cr, pal::kMetalLight);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    RoundedRect(cr, -4, -11, 4, 22, 1.5);
    FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    ArrowPath(cr, 7.5, 0, 17, 15, 6, 0);
    cairo_restore(cr);
    FillLit(cr, pal::kOrange, 1.6, 0.3);
}

void PaintPort(cairo_t* cr, double angle, int pattern) {
    RoundedRect(cr, 0.5, 0.5, 39, 39, 3);
    SetRgb(cr, 0x101A2A);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 20, 20);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -20, -20);
    // The pipe: a glassy channel between two steel rails, with flanges at both ends.
    cairo_rectangle(cr, 0, 9, 40, 22);
    SetLinear(cr, 0, 9, 0, 31, 0x1E3550, 0x0C1626);
    cairo_fill(cr);
    for (double y : {4.0, 31.0}) {
        cairo_rectangle(cr, 0, y, 40, 5);
        SetLinear(cr, 0, y, 0, y + 5, 0xE0E6EF, 0x5E6A7E);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1.2);
        cairo_new_path(cr);
    }
    // Chevrons travel along the pipe, 2.5 px per pattern, brightest at the front.
    for (int i = -1; i < 4; ++i) {
        double x = 8 + i * 10 + pattern * 2.5;
        if (x < 5 || x > 33) continue;
        double bright = (x - 5) / 28;
        cairo_move_to(cr, x - 3, 12);
        cairo_line_to(cr, x + 4.5, 20);
        cairo_line_to(cr, x - 3, 28);
        cairo_line_to(cr, x - 7, 28);
        cairo_line_to(cr, x + 0.5, 20);
        cairo_line_to(cr, x - 7, 12);
        cairo_close_path(cr);
        SetRgb(cr, Mix(0x2898C0, 0xE0FCFF, bright));
        cairo_fill_preserve(cr);
        StrokeInk(cr, 0.9);
        cairo_new_path(cr);
    }
    for (double x : {0.5, 35.5}) {
        cairo_rectangle(cr, x, 2, 4, 36);
        FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    }
    cairo_restore(cr);
    RoundedRect(cr, 0.5, 0.5, 39, 39, 3);
    StrokeInk(cr, 1.2);
    cairo_new_path(cr);
}

void PaintTerminal(cairo_t* cr, int kind) {
    bool used = kind == 2;
    BevelPlate(cr, 0.5, 0.5, 39, 39, 4, used ? 0x454C58 : 0x6C788C, 2.5);
    // The screen.
    RoundedRect(cr, 6, 5, 28, 12, 2);
    SetRgb(cr, used ? 0x0A0C10 : 0x07202A);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.2);
    cairo_new_path(cr);
    if (!used) {
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, 9, 8.5 + i * 3);
            cairo_line_to(cr, 9 + (kind == 0 ? 18 - i * 5 : 10 + i * 4), 8.5 + i * 3);
        }
        SetRgb(cr, pal::kCyan);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    // The button in a gold-rimmed well.
    cairo_arc(cr, 20, 28, 9.5, 0, 2 * M_PI);
    FillLit(cr, used ? 0x5A5040 : pal::kGold, 1.4, 0.4);
    cairo_arc(cr, 20, 28, 7, 0, 2 * M_PI);
    if (used)
        SetRadial(cr, 18, 26, 9, 0x5A5A5E, 0x202024);
    else
        SetRadial(cr, 17.5, 25.5, 9, 0xFF9A9A, 0xB01010);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1);
    cairo_new_path(cr);
    if (kind == 1) {
        ArrowPath(cr, 20, 28.5, 10, 9, 3.5, M_PI / 2);
        SetRgb(cr, 0xFFFFFF);
        cairo_fill(cr);
    } else if (kind == 0) {
        cairo_arc(cr, 17.5, 25.5, 2.2, 0, 2 * M_PI);
        SetRgb(cr, 0xFFFFFF, 0.8);
        cairo_fill(cr);
    }
}

void PaintExit(cairo_t* cr) {
    // The portal glow behind the gate frame.
    cairo_rectangle(cr, 6, 10, 28, 29);
    SetLinear(cr, 0, 10, 0, 39, 0xCFFFF0, 0x1ABFA8);
    cairo_fill(cr);
    Glow(cr, 20, 24, 14, 0xFFFFFF, 0.7);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 8, 16 + i * 7);
        cairo_line_to(cr, 32, 16 + i * 7);
    }
    SetRgb(cr, 0xFFFFFF, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The frame: two posts and a lintel carrying the sign.
    cairo_rectangle(cr, 0.5, 0.5, 39, 10);
    FillLit(cr, 0x5E6C82, 1.4, 0.4);
    for (double x : {0.5, 34.0}) {
        cairo_rectangle(cr, x, 9, 5.5, 30.5);
        FillLit(cr, 0x5E6C82, 1.4, 0.4);
    }
    OutlinedText(cr, "EXIT", 20, 8.7, 8.5, pal::kGold, 0);
    // The arrow down: stand below the gate.
    ArrowPath(cr, 20, 26, 22, 16, 6, M_PI / 2);
    SetRgb(cr, 0x0A5A50);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 0.8);
    cairo_new_path(cr);
    ArrowPath(cr, 20, 25, 18, 12, 3, M_PI / 2);
    SetRgb(cr, 0xFFFFFF);
    cairo_fill(cr);
}

void PaintDataPanel(cairo_t* cr, int pattern) {
    BevelPlate(cr, 0.5, 0.5, 39, 39, 3, 0x566276, 2.5);
    // A round scope with a sweeping beam and a fading trail.
    cairo_arc(cr, 15, 16, 10, 0, 2 * M_PI);
    SetRgb(cr, 0x061A14);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.5);
    cairo_new_path(cr);
    double a = pattern * 2 * M_PI / 10 - M_PI / 2;
    for (int k = 0; k < 4; ++k) {
        cairo_move_to(cr, 15, 16);
        cairo_arc(cr, 15, 16, 8.5, a - (k + 1) * 0.35, a - k * 0.35);
        cairo_close_path(cr);
        SetRgb(cr, 0x3FFF9A, 0.75 - k * 0.16);
        cairo_fill(cr);
    }
    cairo_arc(cr, 15, 16, 5, 0, 2 * M_PI);
    SetRgb(cr, 0x2C8A5C, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // A blip that lights when the beam passes it.
    cairo_arc(cr, 19, 11, 1.5, 0, 2 * M_PI);
    SetRgb(cr, pattern == 1 || pattern == 2 ? 0xE8FFF0 : 0x2C8A5C);
    cairo_fill(cr);
    // Lights counting in binary, and a bar meter.
    for (int i = 0; i < 4; ++i) {
        bool on = ((pattern + 3) >> i) & 1;
        cairo_arc(cr, 31, 7 + i * 6.5, 2.3, 0, 2 * M_PI);
        SetRgb(cr, on ? (i % 2 ? pal::kGold : pal::kCyan) : 0x202836);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 0.8);
        cairo_new_path(cr);
    }
    for (int i = 0; i < 5; ++i) {
        double h = 2 + 5 * Hash01(pattern, i, 68);
        cairo_rectangle(cr, 6 + i * 5.5, 35 - h, 4, h);
        SetRgb(cr, i < 3 ? pal::kCyan : pal::kGold);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 5, 35.5);
    cairo_line_to(cr, 34, 35.5);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}
