// Circuit tiles (three looks of green boards with chips and gold pins) and their eating
// animations, in which the board crumbles into sparks.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/tiles.h"

namespace {

const uint32_t kBoard = 0x1F7A40;
const uint32_t kTraceGreen = 0x5FCB7E;

void Trace(cairo_t* cr, std::initializer_list<std::pair<double, double>> points) {
    bool first = true;
    for (auto [x, y] : points) {
        if (first)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
        first = false;
    }
    SetRgb(cr, kTraceGreen, 0.85);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

void Pad(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
    SetRgb(cr, pal::kGold);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 0.7, 0, 2 * M_PI);
    SetRgb(cr, 0x0E3A1E);
    cairo_fill(cr);
}

// A gold pin of a chip: w x h at x, y.
void Pin(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    SetLinear(cr, x, y, x + w, y + h, 0xFFE39A, 0xA8741A);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 0.6);
    cairo_new_path(cr);
}

void ChipBody(cairo_t* cr, double x, double y, double w, double h) {
    RoundedRect(cr, x, y, w, h, 1.5);
    FillLit(cr, 0x2A2E38, 1.2, 0.45);
    cairo_arc(cr, x + 3, y + 3, 1.2, 0, 2 * M_PI);
    SetRgb(cr, 0x8A92A0);
    cairo_fill(cr);
}

// Look 0: a DIP chip with pins on its left and right sides.
void DipLook(cairo_t* cr) {
    Trace(cr, {{3, 9}, {8, 9}, {11, 12}});
    Trace(cr, {{37, 31}, {31, 31}, {29, 29}});
    Trace(cr, {{20, 3}, {20, 8}});
    Trace(cr, {{6, 36}, {6, 28}, {10, 24}});
    for (int i = 0; i < 4; ++i) {
        Pin(cr, 9, 11.5 + i * 5, 4, 2.4);
        Pin(cr, 27, 11.5 + i * 5, 4, 2.4);
    }
    ChipBody(cr, 12.5, 9, 15, 22);
    Pad(cr, 20, 4.5);
    Pad(cr, 35, 31);
    Pad(cr, 5, 9);
}

// Look 1: a capacitor and a resistor joined by traces.
void PartsLook(cairo_t* cr) {
    Trace(cr, {{4, 30}, {12, 30}, {16, 26}, {16, 22}});
    Trace(cr, {{26, 8}, {32, 8}, {36, 12}});
    Trace(cr, {{22, 33}, {35, 33}});
    // Capacitor: a can seen from above.
    cairo_arc(cr, 15, 14, 8, 0, 2 * M_PI);
    FillLit(cr, 0x3C5C9A, 1.3, 0.4);
    cairo_arc(cr, 15, 14, 5, 0, 2 * M_PI);
    SetRgb(cr, 0x9BB0D8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 12, 14);
    cairo_line_to(cr, 18, 14);
    cairo_move_to(cr, 15, 11);
    cairo_line_to(cr, 15, 17);
    cairo_stroke(cr);
    // Resistor: a beige body with colour bands, diagonal.
    cairo_save(cr);
    cairo_translate(cr, 27, 22);
    cairo_rotate(cr, -M_PI / 4);
    Pin(cr, -11, -1, 22, 2);
    RoundedRect(cr, -6.5, -3.5, 13, 7, 3);
    FillLit(cr, 0xD9C49A, 1.1, 0.35);
    const uint32_t bands[] = {0xC0392B, 0x222222, pal::kGold};
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, -3.5 + i * 3, -3.3, 1.5, 6.6);
        SetRgb(cr, bands[i]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Pad(cr, 4.5, 30);
    Pad(cr, 22, 33);
    Pad(cr, 35.5, 33);
}

// Look 2: a square chip with pins on all four sides.
void QuadLook(cairo_t* cr) {
    Trace(cr, {{3, 20}, {9, 20}});
    Trace(cr, {{31, 20}, {37, 20}});
    Trace(cr, {{20, 3}, {20, 9}});
    Trace(cr, {{20, 31}, {20, 37}});
    for (int i = 0; i < 4; ++i) {
        double a = 12.8 + i * 4.2;
        Pin(cr, a, 8.5, 2, 3.5);
        Pin(cr, a, 28, 2, 3.5);
        Pin(cr, 8.5, a, 3.5, 2);
        Pin(cr, 28, a, 3.5, 2);
    }
    ChipBody(cr, 11.5, 11.5, 17, 17);
    cairo_arc(cr, 20, 20, 4, 0, 2 * M_PI);
    SetRgb(cr, 0x3E4452);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (auto [x, y] :
         {std::pair{5.0, 5.0}, std::pair{35.0, 5.0}, std::pair{5.0, 35.0}, std::pair{35.0, 35.0}})
        Pad(cr, x, y);
}

// The circuit painted on its own surface, so the eating animations can cut it into fragments.
cairo_surface_t* CircuitSurface(int look) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTile, kTile);
    cairo_t* cr = cairo_create(s);
    PaintCircuit(cr, look);
    cairo_destroy(cr);
    return s;
}

// One 5 x 5 fragment of the circuit at block (bx, by), moved by (dx, dy), scaled and faded.
void Fragment(cairo_t* cr, cairo_surface_t* src, int bx, int by, double dx, double dy, double scale,
              double alpha) {
    double cx = bx * 5 + 2.5, cy = by * 5 + 2.5;
    cairo_save(cr);
    cairo_translate(cr, cx + dx, cy + dy);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -cx, -cy);
    cairo_rectangle(cr, bx * 5, by * 5, 5, 5);
    cairo_clip(cr);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

// Fragments released at `release` (0..1 of the animation) live this long before they vanish.
constexpr double kFragmentLife = 0.3;

}  // namespace

void PaintCircuit(cairo_t* cr, int look) {
    RoundedRect(cr, 1, 1, 38, 38, 4);
    SetLinear(cr, 0, 0, 40, 40, Shade(kBoard, 1.3), Shade(kBoard, 0.75));
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, 3, 33);
    cairo_line_to(cr, 3, 5);
    cairo_curve_to(cr, 3, 4, 4, 3, 5, 3);
    cairo_line_to(cr, 33, 3);
    SetRgb(cr, 0x8BE0A2, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    switch (look) {
        case 0:
            DipLook(cr);
            break;
        case 1:
            PartsLook(cr);
            break;
        default:
            QuadLook(cr);
            break;
    }
}

void PaintCircuitEating(cairo_t* cr, int look, int dir, int pattern) {
    const double dirX[] = {1, -1, 0, 0}, dirY[] = {0, 0, -1, 1};
    cairo_surface_t* src = CircuitSurface(look);
    // The first bite is already taken in pattern 0; pattern 19 keeps only the last embers.
    double t = (pattern + 1) / 20.0;
    for (int by = 0; by < 8; ++by)
        for (int bx = 0; bx < 8; ++bx) {
            // How far along the direction of travel the block lies: the side the player comes
            // from crumbles first.
            double u = dirX[dir] > 0 ? bx : dirX[dir] < 0 ? 7 - bx : dirY[dir] > 0 ? by : 7 - by;
            double release = u / 7 * 0.76 + Hash01(look, bx * 8 + by, dir) * 0.14;
            double age = (t - release) / kFragmentLife;
            if (age < 0) {
                Fragment(cr, src, bx, by, 0, 0, 1, 1);
                continue;
            }
            if (age >= 1) continue;
            double jitter = (Hash01(bx, by, 77 + dir) - 0.5) * 10 * age;
            double dx = dirX[dir] * 9 * age + dirY[dir] * jitter;
            double dy = dirY[dir] * 9 * age + dirX[dir] * jitter;
            Fragment(cr, src, bx, by, dx, dy, 1 - 0.6 * age, 1 - age);
            if (Hash01(bx, by, 5) < 0.35 && age < 0.7)
                SparkStar(cr, bx * 5 + 2.5 + dx, by * 5 + 2.5 + dy, 3.2 * (1 - age) + 1,
                          Hash01(bx, by, 6) < 0.5 ? pal::kYellow : 0xB8FFC8);
        }
    cairo_surface_destroy(src);
}

void PaintCircuitSnapped(cairo_t* cr, int pattern) {
    cairo_surface_t* src = CircuitSurface(0);
    double t = (pattern + 0.5) / 4.5;
    for (int by = 0; by < 8; ++by)
        for (int bx = 0; bx < 8; ++bx) {
            double release = Hash01(bx, by, 31) * 0.75;
            double age = (t - release) / kFragmentLife;
            if (age < 0) {
                Fragment(cr, src, bx, by, 0, 0, 1, 1);
                continue;
            }
            if (age >= 1) continue;
            // Fragments are drawn in towards the centre, where the player swallows them.
            double dx = (17.5 - bx * 5) * 0.5 * age, dy = (17.5 - by * 5) * 0.5 * age;
            Fragment(cr, src, bx, by, dx, dy, 1 - 0.7 * age, 1 - age);
            if (Hash01(bx, by, 32) < 0.3)
                SparkStar(cr, bx * 5 + 2.5 + dx, by * 5 + 2.5 + dy, 3 * (1 - age) + 1,
                          pal::kYellow);
        }
    cairo_surface_destroy(src);
}
