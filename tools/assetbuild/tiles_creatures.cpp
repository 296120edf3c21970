// Tile pictures that live: the pulsing plasma hazard, the drift fans, the saw drone and the
// crawling spark creature.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/tiles.h"

namespace {

// The plasma of each hazard pattern: how dangerous it looks (0 calm blue .. 1 deadly red) and
// its radius. Patterns 2 to 5 are the deadly ones, 6 and 7 the safe ones.
struct PlasmaLook {
    double danger, radius;
};
constexpr PlasmaLook kPlasma[8] = {{0.3, 8},  {0.6, 10}, {1, 12},  {1, 14},
                                   {1, 15.5}, {1, 13},   {0, 6.5}, {0, 6}};

uint32_t PlasmaColour(double danger, int band) {
    const uint32_t calm[3] = {0xF0FFFF, 0x3FA8FF, 0x10307A};
    const uint32_t hot[3] = {0xFFF4C0, pal::kRed, 0x6A0812};
    if (danger > 0.99) return hot[band];
    if (danger < 0.01) return calm[band];
    return Mix(Mix(calm[band], 0xB04AE0, std::min(1.0, danger * 2)), hot[band],
               std::max(0.0, danger * 2 - 1));
}

}  // namespace

void PaintHazard(cairo_t* cr, int pattern) {
    const PlasmaLook& look = kPlasma[pattern];
    BevelPlate(cr, 0.5, 0.5, 39, 39, 4, 0x3A4456, 2.5);
    cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
    SetRgb(cr, 0x070A12);
    cairo_fill(cr);
    Glow(cr, 20, 20, look.radius + 5, PlasmaColour(look.danger, 1), 0.9);
    cairo_arc(cr, 20, 20, look.radius, 0, 2 * M_PI);
    SetRadial(cr, 18, 18, look.radius * 1.2, PlasmaColour(look.danger, 0),
              PlasmaColour(look.danger, 1));
    cairo_fill(cr);
    // Swirls of plasma; the deadly patterns crackle outwards.
    for (int i = 0; i < 3; ++i) {
        double a = i * 2.1 + pattern * 0.7;
        cairo_arc(cr, 20, 20, look.radius * (0.35 + 0.2 * i), a, a + 2.2);
        SetRgb(cr, PlasmaColour(look.danger, 0), 0.8);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    if (look.danger > 0.99) {
        for (int i = 0; i < 5; ++i) {
            double a = i * 2 * M_PI / 5 + pattern * 0.9, r0 = look.radius - 2,
                   r1 = std::min(17.5, look.radius + 5);
            cairo_move_to(cr, 20 + r0 * std::cos(a), 20 + r0 * std::sin(a));
            cairo_line_to(cr, 20 + (r0 + r1) / 2 * std::cos(a + 0.25),
                          20 + (r0 + r1) / 2 * std::sin(a + 0.25));
            cairo_line_to(cr, 20 + r1 * std::cos(a - 0.1), 20 + r1 * std::sin(a - 0.1));
        }
        SetRgb(cr, pal::kYellow);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // The containment ring with four clamps.
    cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke_preserve(cr);
    SetLinear(cr, 3, 3, 37, 37, pal::kMetalLight, 0x4A5468);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        double a = M_PI / 4 + i * M_PI / 2;
        Rivet(cr, 20 + 17 * std::cos(a), 20 + 17 * std::sin(a), 2.6);
    }
}

void PaintDriftFan(cairo_t* cr, bool pullsRight, int pattern) {
    BevelPlate(cr, 0.5, 0.5, 39, 39, 3, 0x5A667A, 2.5);
    // The fan sits at the back; the air leaves through the open side.
    double cx = pullsRight ? 14 : 26;
    cairo_arc(cr, cx, 20, 11.5, 0, 2 * M_PI);
    SetRgb(cr, 0x0A0F18);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.5);
    cairo_new_path(cr);
    // Four curved blades; 3/4 of a quarter turn per pattern, so 11 patterns loop seamlessly.
    double spin = (pullsRight ? 1 : -1) * pattern * 3 * (M_PI / 2) / 11;
    for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, cx, 20);
        cairo_rotate(cr, spin + i * M_PI / 2);
        cairo_move_to(cr, 1.5, -1.5);
        cairo_curve_to(cr, 5.5, -5.5, 9.5, -4, 10.5, 1);
        cairo_curve_to(cr, 7, -1, 5, 1, 1.5, 2.5);
        cairo_close_path(cr);
        cairo_restore(cr);
        SetLinear(cr, cx - 10, 10, cx + 10, 30, pal::kMetalLight, 0x5E6A80);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 0.9);
        cairo_new_path(cr);
    }
    cairo_arc(cr, cx, 20, 3.2, 0, 2 * M_PI);
    FillLit(cr, pal::kGold, 1.2, 0.4);
    // Air lines streaming out of the open side, towards where the player is carried.
    double dir = pullsRight ? 1 : -1;
    for (int i = 0; i < 3; ++i) {
        double y = 9 + i * 11, phase = std::fmod(pattern / 11.0 + i * 0.37, 1.0);
        double head = 20 + dir * (9 + phase * 10);
        cairo_move_to(cr, head - dir * 9, y);
        cairo_line_to(cr, head, y);
        cairo_line_to(cr, head - dir * 3.5, y - 3);
        cairo_move_to(cr, head, y);
        cairo_line_to(cr, head - dir * 3.5, y + 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke_preserve(cr);
        SetRgb(cr, Mix(0xE8FFFF, pal::kCyan, phase));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

namespace {

// Fills the current path lit from the screen's top left, whatever rotation it was built under.
void FillScreenLit(cairo_t* cr, const cairo_matrix_t& screen, uint32_t fill, double outline) {
    cairo_matrix_t built;
    cairo_get_matrix(cr, &built);
    cairo_set_matrix(cr, &screen);
    FillLit(cr, fill, outline, 0.45);
    cairo_set_matrix(cr, &built);
}

}  // namespace

void PaintSawDrone(cairo_t* cr, int pattern) {
    cairo_matrix_t screen;
    cairo_get_matrix(cr, &screen);
    cairo_translate(cr, 20, 20);
    // Facing up at pattern 0 and turning counter-clockwise by 45 degrees per pattern.
    cairo_rotate(cr, -pattern * M_PI / 4);
    // Side pods and the hull.
    for (double x : {-12.5, 12.5}) {
        RoundedRect(cr, x - 3.5, -1, 7, 14, 3);
        FillScreenLit(cr, screen, 0x7A2A2A, 1.3);
    }
    cairo_arc(cr, 0, 4.5, 11, 0, 2 * M_PI);
    FillScreenLit(cr, screen, 0xB03A32, 1.6);
    cairo_arc(cr, 0, 4.5, 7, 0, 2 * M_PI);
    SetRgb(cr, 0x5A1818, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The eye looks where the drone faces.
    cairo_save(cr);
    cairo_translate(cr, 0, 3);
    cairo_scale(cr, 1.6, 1);
    cairo_arc(cr, 0, 0, 3.4, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, 0, 3, 2.2, 0, 2 * M_PI);
    SetRadial(cr, 0, 3, 2.5, 0xFFF0A0, pal::kOrange);
    cairo_fill(cr);
    // The saw blade in front, its teeth turned a little further each pattern.
    cairo_save(cr);
    cairo_translate(cr, 0, -10.5);
    cairo_rotate(cr, pattern * 0.4);
    for (int i = 0; i < 10; ++i) {
        double a = i * 2 * M_PI / 10;
        cairo_line_to(cr, 8.8 * std::cos(a), 8.8 * std::sin(a));
        cairo_line_to(cr, 6.2 * std::cos(a + 0.2), 6.2 * std::sin(a + 0.2));
        cairo_line_to(cr, 6.6 * std::cos(a + 0.6), 6.6 * std::sin(a + 0.6));
    }
    cairo_close_path(cr);
    cairo_restore(cr);
    FillScreenLit(cr, screen, 0xC8D0DC, 1.2);
    cairo_arc(cr, 0, -10.5, 2.3, 0, 2 * M_PI);
    SetRgb(cr, 0x3A4250);
    cairo_fill(cr);
}

void PaintSparkCreature(cairo_t* cr) {
    // Jagged legs of lightning crackling out of a bright body.
    for (int i = 0; i < 7; ++i) {
        double a = i * 2 * M_PI / 7 + 0.3;
        double r = 9;
        cairo_move_to(cr, 20 + r * std::cos(a), 20 + r * std::sin(a));
        for (int k = 1; k <= 3; ++k) {
            double rr = r + k * 3.3, wiggle = (k % 2 ? 0.28 : -0.22) * (Hash01(i, k, 39) + 0.5);
            cairo_line_to(cr, 20 + rr * std::cos(a + wiggle), 20 + rr * std::sin(a + wiggle));
        }
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke_preserve(cr);
        SetRgb(cr, i % 2 ? pal::kCyan : pal::kYellow);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_arc(cr, 20, 20, 10, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, 20, 20, 8.8, 0, 2 * M_PI);
    SetRadial(cr, 18, 17, 11, 0xFFFFF0, 0xE0A010);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        double a = i * M_PI / 2 + 0.5;
        SparkStar(cr, 20 + 6 * std::cos(a), 20 + 6 * std::sin(a), 2.5, 0xFFFFFF, 0.8);
    }
    // Two eyes make it a creature rather than a spark.
    for (double x : {16.5, 23.5}) {
        cairo_save(cr);
        cairo_translate(cr, x, 19);
        cairo_scale(cr, 1, 1.4);
        cairo_arc(cr, 0, 0, 1.9, 0, 2 * M_PI);
        cairo_restore(cr);
        SetRgb(cr, 0x201000);
        cairo_fill(cr);
    }
}
