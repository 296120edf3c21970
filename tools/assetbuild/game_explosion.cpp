// "explozie": the explosion over a 3 x 3 block of cells, 10 patterns of 120 x 120: a flash, a
// fireball that grows, then fades into smoke.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/game_art.h"

namespace {

constexpr int kSize = 120;
constexpr double kC = kSize / 2.0;
constexpr int kBlobs = 13;

// Per pattern: fireball radius, how much fire and how much smoke is left.
struct Stage {
    double radius, fire, smoke;
};
constexpr Stage kStages[10] = {{18, 1, 0},      {30, 1, 0},      {42, 1, 0.05},   {50, 0.9, 0.15},
                               {54, 0.7, 0.35}, {55, 0.45, 0.6}, {53, 0.22, 0.8}, {50, 0.06, 0.85},
                               {46, 0, 0.7},    {40, 0, 0.45}};

// Centre and radius of billow i at radius R.
void Billow(int i, double R, double grow, double& x, double& y, double& r) {
    double a = i * 2 * M_PI / kBlobs + Hash01(i, 1, 9) * 0.4;
    double d = R * (0.35 + 0.3 * Hash01(i, 2, 9)) * grow;
    x = kC + d * std::cos(a);
    y = kC + d * std::sin(a);
    r = R * (0.38 + 0.22 * Hash01(i, 3, 9));
}

void SmokeLayer(cairo_t* cr, const Stage& s, int pattern) {
    if (s.smoke <= 0) return;
    double rise = std::max(0, pattern - 4) * 3.0;  // smoke drifts upwards as it thins
    for (int i = 0; i < kBlobs; ++i) {
        double x, y, r;
        Billow(i, s.radius, 1.0, x, y, r);
        if (Hash01(i, pattern, 4) > s.smoke + 0.3) continue;
        r *= 0.6 + 0.5 * s.smoke;
        SetRadial(cr, x - r * 0.3, y - rise - r * 0.3, r * 1.2, 0x6A707C, 0x262A33, 0.9, 0.75);
        cairo_arc(cr, x, y - rise, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void FireLayer(cairo_t* cr, const Stage& s) {
    if (s.fire <= 0) return;
    uint32_t core = Mix(pal::kOrange, 0xFFFBE0, s.fire);
    uint32_t mid = Mix(0xB02010, pal::kOrange, s.fire);
    uint32_t rim = Mix(0x401010, pal::kRed, s.fire);
    double R = s.radius * (0.55 + 0.45 * s.fire);
    for (int i = 0; i < kBlobs; ++i) {
        double x, y, r;
        Billow(i, R, 1.0, x, y, r);
        cairo_pattern_t* pat = cairo_pattern_create_radial(kC, kC, 0, kC, kC, R * 1.1);
        for (auto [off, c] : {std::pair{0.0, core}, std::pair{0.55, mid}, std::pair{1.0, rim}})
            cairo_pattern_add_color_stop_rgb(pat, off, ((c >> 16) & 255) / 255.0,
                                             ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
        cairo_set_source(cr, pat);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(pat);
    }
    cairo_arc(cr, kC, kC, R * 0.45, 0, 2 * M_PI);
    SetRadial(cr, kC, kC, R * 0.45, 0xFFFFFF, core, 1, 0.8);
    cairo_fill(cr);
}

void Debris(cairo_t* cr, const Stage& s, int pattern) {
    if (pattern < 1 || pattern > 6) return;
    for (int i = 0; i < 9; ++i) {
        double a = i * 2 * M_PI / 9 + 0.3;
        double d = s.radius * (0.9 + 0.25 * Hash01(i, 7, 9)) + pattern * 1.5;
        double size = 4.5 - pattern * 0.5;
        SparkStar(cr, kC + d * std::cos(a), kC + d * std::sin(a), size,
                  i % 2 ? pal::kYellow : pal::kOrange);
    }
}

void PaintExplosion(cairo_t* cr, int pattern) {
    const Stage& s = kStages[pattern];
    SmokeLayer(cr, s, pattern);
    FireLayer(cr, s);
    if (pattern == 0) SparkStar(cr, kC, kC, 40, 0xFFF4C0);
    Debris(cr, s, pattern);
}

}  // namespace

PictureData ExplosionPicture() {
    return StripPicture("explozie", 10, kSize, kSize, PaintExplosion);
}
