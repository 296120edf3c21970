// Plates and fillers of the play screen ("pause", "mesajfond", "fondlm"), the result plates and
// the game finished screen ("terminat", "termina").
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/game_art.h"
#include "assetbuild/tiles.h"

namespace {

// A framed plate: gold rim, dark slate face, a thin cyan line inside the rim.
void GoldPlate(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    SetLinear(cr, x, y, x + w, y + h, 0xFFE8A0, 0x8A5A10);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.5);
    cairo_new_path(cr);
    RoundedRect(cr, x + 5, y + 5, w - 10, h - 10, r - 3);
    SetLinear(cr, x, y, x, y + h, pal::kSlate, 0x0C1424);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.2);
    cairo_new_path(cr);
    RoundedRect(cr, x + 8.5, y + 8.5, w - 17, h - 17, r - 5);
    SetRgb(cr, pal::kCyan, 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (double rx : {x + 11.5, x + w - 11.5})
        for (double ry : {y + 11.5, y + h - 11.5}) Rivet(cr, rx, ry, 2);
}

// Text in the display face with an ink outline and a soft glow of its own colour.
void GlowText(cairo_t* cr, const char* text, double cx, double baseline, double size,
              uint32_t rgb) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    double x = cx - ext.width / 2 - ext.x_bearing;
    for (int i = 3; i >= 1; --i) {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, text);
        SetRgb(cr, rgb, 0.12);
        cairo_set_line_width(cr, i * 3.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    OutlinedText(cr, text, cx, baseline, size, rgb, 3);
}

// One seamless tile of faint traces: every trace is drawn again one tile width away on each side.
void WrappedTraces(cairo_t* cr, int size, int count, uint32_t colour, int seed) {
    for (int i = 0; i < count; ++i) {
        double x = 10 + 20 * std::floor(Hash01(seed, i, 1) * size / 20);
        double y = 10 + 20 * std::floor(Hash01(seed, i, 2) * size / 20);
        double len = 20 * (1 + std::floor(Hash01(seed, i, 3) * 4));
        bool horizontal = Hash01(seed, i, 4) < 0.5;
        double turn = Hash01(seed, i, 5) < 0.5 ? -20 : 20;
        for (int ox = -1; ox <= 1; ++ox)
            for (int oy = -1; oy <= 1; ++oy) {
                double bx = x + ox * size, by = y + oy * size;
                double ex = horizontal ? bx + len : bx + turn,
                       ey = horizontal ? by + turn : by + len;
                cairo_move_to(cr, bx, by);
                if (horizontal)
                    cairo_line_to(cr, bx + len - 20, by);
                else
                    cairo_line_to(cr, bx, by + len - 20);
                cairo_line_to(cr, ex, ey);
                SetRgb(cr, colour);
                cairo_set_line_width(cr, 1.6);
                cairo_stroke(cr);
                cairo_arc(cr, bx, by, 2.5, 0, 2 * M_PI);
                cairo_arc(cr, ex, ey, 2.5, 0, 2 * M_PI);
                cairo_fill(cr);
            }
    }
}

}  // namespace

PictureData PausePlate() {
    Canvas canvas(124, 48);
    cairo_t* cr = canvas.cr;
    GoldPlate(cr, 0, 0, 124, 48, 10);
    for (double x : {17.0, 25.0}) {
        RoundedRect(cr, x, 15, 5, 18, 1.5);
        SetRgb(cr, pal::kCyan);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1.2);
        cairo_new_path(cr);
    }
    GlowText(cr, "PAUSE", 75, 32, 20, pal::kText);
    return CanvasToPicture(canvas, "pause");
}

// The strip is drawn at x 70 behind lines centred on x 320: 500 pixels is as wide as that place
// allows. Its caps are kept slim (12 pixels, which the game keeps text clear of) so that the
// light middle holds the longest messages.
PictureData MessageStrip() {
    constexpr double kWidth = 500, kCap = 12;
    Canvas canvas(static_cast<int>(kWidth), 22);
    cairo_t* cr = canvas.cr;
    RoundedRect(cr, 0.5, 0.5, kWidth - 1, 21, 10);
    SetLinear(cr, 0, 0, 0, 22, 0xF2FCFF, 0xBEE2EC);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.3);
    cairo_new_path(cr);
    // Cyan caps at both ends, each with a small gold light.
    for (double x : {0.0, kWidth - kCap}) {
        cairo_save(cr);
        RoundedRect(cr, 0.5, 0.5, kWidth - 1, 21, 10);
        cairo_clip(cr);
        cairo_rectangle(cr, x, 0, kCap, 22);
        SetLinear(cr, 0, 0, 0, 22, 0x8FE8FA, 0x2AA8C8);
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_arc(cr, x + (x == 0 ? kCap / 2 + 0.5 : kCap / 2 - 0.5), 11, 2.5, 0, 2 * M_PI);
        SetRgb(cr, pal::kGold);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1);
        cairo_new_path(cr);
    }
    // The caps' inner edges, so that they read as caps against the light middle.
    for (double x : {kCap, kWidth - kCap}) {
        cairo_move_to(cr, x, 1);
        cairo_line_to(cr, x, 21);
    }
    StrokeInk(cr, 1);
    cairo_move_to(cr, kCap + 2, 3);
    cairo_line_to(cr, kWidth - kCap - 2, 3);
    SetRgb(cr, 0xFFFFFF, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return CanvasToPicture(canvas, "mesajfond");
}

PictureData FillerBoard() {
    Canvas canvas(160, 160);
    cairo_t* cr = canvas.cr;
    SetRgb(cr, 0x060B14);
    cairo_paint(cr);
    SetRgb(cr, 0x0C1420);
    for (int i = 0; i < 160; i += 10) {
        cairo_rectangle(cr, i, 0, 1, 160);
        cairo_rectangle(cr, 0, i, 160, 1);
    }
    cairo_fill(cr);
    WrappedTraces(cr, 160, 9, 0x172840, 9);
    return CanvasToPicture(canvas, "fondlm", 0, 0, false);
}

// ---- result plates, 228 x 134, drawn at (206, 173)

namespace {

void MoodEmblem(cairo_t* cr, int mood, double cx, double cy) {
    if (mood == 0) {  // a glowing check in a ring
        cairo_arc(cr, cx, cy, 17, 0, 2 * M_PI);
        SetRadial(cr, cx - 4, cy - 4, 20, 0xC8FFE0, 0x1FA860);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 2);
        cairo_new_path(cr);
        cairo_move_to(cr, cx - 8, cy);
        cairo_line_to(cr, cx - 2, cy + 7);
        cairo_line_to(cr, cx + 9, cy - 7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 6.5);
        cairo_stroke_preserve(cr);
        SetRgb(cr, 0xFFFFFF);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
    } else if (mood == 1) {  // a cracked energy heart
        HeartPath(cr, cx, cy + 1, 36);
        FillLit(cr, 0xD02030, 2, 0.35);
        cairo_move_to(cr, cx, cy - 8);
        cairo_line_to(cr, cx - 4, cy - 1);
        cairo_line_to(cr, cx + 3, cy + 4);
        cairo_line_to(cr, cx - 1, cy + 14);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    } else {  // a stop plate
        for (int i = 0; i < 8; ++i) {
            double a = M_PI / 8 + i * M_PI / 4;
            cairo_line_to(cr, cx + 17 * std::cos(a), cy + 17 * std::sin(a));
        }
        cairo_close_path(cr);
        FillLit(cr, pal::kOrange, 2, 0.3);
        RoundedRect(cr, cx - 10, cy - 3, 20, 6, 2);
        SetRgb(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
}

}  // namespace

PictureData ResultPlate(const char* name, const char* text, int mood) {
    Canvas canvas(228, 134);
    cairo_t* cr = canvas.cr;
    GoldPlate(cr, 0, 0, 228, 134, 14);
    const uint32_t colours[] = {0x9CFFC8, 0xFF6A5A, pal::kYellow};
    MoodEmblem(cr, mood, 114, 48);
    GlowText(cr, text, 114, 104, mood == 2 ? 24 : 28, colours[mood]);
    return CanvasToPicture(canvas, name);
}

// ---- the game finished screen

PictureData FinishedBackground() {
    Canvas canvas(640, 480);
    cairo_t* cr = canvas.cr;
    SetRadial(cr, 320, 300, 420, 0x22385A, 0x04070E);
    cairo_paint(cr);
    WrappedTraces(cr, 640, 60, 0x1A2C46, 21);
    // Rays of light behind where the congratulation plate comes to rest.
    for (int i = 0; i < 16; ++i) {
        double a = i * M_PI / 8 + 0.1;
        cairo_move_to(cr, 320, 325);
        cairo_arc(cr, 320, 325, 520, a, a + 0.12);
        cairo_close_path(cr);
    }
    SetRadial(cr, 320, 325, 420, pal::kCyan, pal::kCyan, 0.1, 0);
    cairo_fill(cr);
    GlowText(cr, "Tolmara Deepgrid", 320, 92, 44, pal::kGold);
    GlowText(cr, "All levels cleared", 320, 140, 20, pal::kCyan);
    // Infotrons drift in the side margins.
    for (int i = 0; i < 8; ++i) {
        double x = i % 2 ? 572 + Hash01(i, 1) * 30 : 38 + Hash01(i, 2) * 30;
        double y = 190 + (i / 2) * 70 + Hash01(i, 3) * 20;
        cairo_save(cr);
        cairo_translate(cr, x - 20, y - 20);
        PaintInfotron(cr, i * 0.7);
        cairo_restore(cr);
    }
    return CanvasToPicture(canvas, "terminat", 0, 0, false);
}

PictureData FinishedPlate() {
    Canvas canvas(390, 250);
    cairo_t* cr = canvas.cr;
    GoldPlate(cr, 0, 0, 390, 250, 18);
    GlowText(cr, "Congratulations!", 195, 60, 36, pal::kGold);
    cairo_move_to(cr, 60, 78);
    cairo_line_to(cr, 330, 78);
    SetRgb(cr, pal::kCyan, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    GlowText(cr, "You finished", 195, 114, 22, pal::kText);
    GlowText(cr, "Tolmara Deepgrid", 195, 148, 28, pal::kCyan);
    for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 195 + (i - 2) * 44 - 20, 164);
        PaintInfotron(cr, i * 0.6);
        cairo_restore(cr);
    }
    TextCentered(cr, "Press Escape to continue", 195, 228, 12, 0x9AA8BC, false);
    return CanvasToPicture(canvas, "termina", 0, 0, true, 0x14223A);
}
