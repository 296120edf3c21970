// Vuzoda, the small engineer in a helmet: rest and idle, walking in four directions (the side
// walks double as push poses) and the knocked-out "no lives left" pose. Patterns are 40 x 40.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/game_art.h"

namespace {

const uint32_t kHelmet = 0xF2C230;
const uint32_t kSkin = 0xF1C7A0;
const uint32_t kOveralls = 0x2F6FA8;
const uint32_t kBoots = 0x3A2C24;
const uint32_t kHiVis = pal::kOrange;

enum class Facing { Front, Back, Left, Right };

struct EngineerPose {
    Facing facing = Facing::Front;
    int step = 0;     // walking pattern 0 or 1
    double look = 0;  // eye shift, -1 .. 1
    bool blink = false;
    bool knockedOut = false;
    bool helmet = true;
};

double Side(const EngineerPose& p) {
    return p.facing == Facing::Right ? 1 : -1;
}
bool IsSide(const EngineerPose& p) {
    return p.facing == Facing::Left || p.facing == Facing::Right;
}

void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width, uint32_t colour) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, width + 2.2);
    cairo_stroke_preserve(cr);
    SetRgb(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Legs(cairo_t* cr, const EngineerPose& p) {
    if (IsSide(p)) {
        double s = Side(p), spread = p.step == 0 ? 4.5 : 1;
        Limb(cr, 20, 31, 20 - s * spread, 36.5, 4.5, Shade(kOveralls, 0.8));
        Limb(cr, 20, 31, 20 + s * spread, 36.5, 4.5, kOveralls);
        for (double x : {20 - s * spread, 20 + s * spread}) {
            RoundedRect(cr, x - 3 + s * 1.5, 35.5, 6, 3.5, 1.5);
            FillLit(cr, kBoots, 1.1, 0.4);
        }
        return;
    }
    // Front and back: one leg lifted in each walking pattern.
    double lift[2] = {p.step == 0 ? 1.5 : 0, p.step == 1 ? 1.5 : 0};
    for (int i = 0; i < 2; ++i) {
        double x = i == 0 ? 16.5 : 23.5;
        Limb(cr, x, 30, x, 35.5 - lift[i], 4.5, kOveralls);
        RoundedRect(cr, x - 3.2, 35 - lift[i], 6.4, 4, 1.5);
        FillLit(cr, kBoots, 1.1, 0.4);
    }
}

void Arms(cairo_t* cr, const EngineerPose& p) {
    if (IsSide(p)) {
        double s = Side(p);
        // Pattern 0 reaches forward: the hold pose of a push, and the swing of a stride.
        double hx = p.step == 0 ? 20 + s * 11 : 20 + s * 2, hy = p.step == 0 ? 25 : 30;
        Limb(cr, 20, 23.5, hx, hy, 3.6, kHiVis);
        cairo_arc(cr, hx, hy, 2.2, 0, 2 * M_PI);
        FillLit(cr, kSkin, 1, 0.3);
        return;
    }
    double swing = p.step < 0 ? 0 : p.step == 0 ? 1.2 : -1.2;
    for (double s : {-1.0, 1.0}) {
        double hx = 20 + s * 10.5, hy = 30 + s * swing;
        Limb(cr, 20 + s * 7, 23.5, hx, hy, 3.6, kHiVis);
        cairo_arc(cr, hx, hy + 0.5, 2.2, 0, 2 * M_PI);
        FillLit(cr, kSkin, 1, 0.3);
    }
}

void Torso(cairo_t* cr, const EngineerPose& p) {
    double w = IsSide(p) ? 11 : 15;
    RoundedRect(cr, 20 - w / 2, 21.5, w, 10.5, 3);
    FillLit(cr, kOveralls, 1.5, 0.3);
    cairo_rectangle(cr, 20 - w / 2 + 0.8, 28, w - 1.6, 2);
    SetRgb(cr, pal::kGold);
    cairo_fill(cr);
    if (p.facing == Facing::Back) {  // the tool pack
        RoundedRect(cr, 14.5, 21, 11, 8, 2);
        FillLit(cr, 0x6A7488, 1.2, 0.4);
        cairo_arc(cr, 22.5, 23.5, 1.2, 0, 2 * M_PI);
        SetRgb(cr, pal::kGold);
        cairo_fill(cr);
    } else if (p.facing == Facing::Front) {  // bib pocket with a pen
        cairo_rectangle(cr, 17.5, 23, 5, 3.5);
        SetRgb(cr, Shade(kOveralls, 1.35));
        cairo_fill(cr);
        cairo_rectangle(cr, 18.5, 22, 1, 2.5);
        SetRgb(cr, pal::kRed);
        cairo_fill(cr);
    }
}

void Eyes(cairo_t* cr, const EngineerPose& p, double cy) {
    std::vector<double> xs;
    if (IsSide(p))
        xs = {20 + Side(p) * 5.5};
    else
        xs = {17 + p.look * 2, 23 + p.look * 2};
    for (double x : xs) {
        if (p.knockedOut) {
            cairo_move_to(cr, x - 1.6, cy - 1.6);
            cairo_line_to(cr, x + 1.6, cy + 1.6);
            cairo_move_to(cr, x + 1.6, cy - 1.6);
            cairo_line_to(cr, x - 1.6, cy + 1.6);
            SetRgb(cr, pal::kInk);
            cairo_set_line_width(cr, 1.1);
            cairo_stroke(cr);
        } else if (p.blink) {
            cairo_move_to(cr, x - 1.6, cy);
            cairo_line_to(cr, x + 1.6, cy);
            SetRgb(cr, pal::kInk);
            cairo_set_line_width(cr, 1.1);
            cairo_stroke(cr);
        } else {
            cairo_save(cr);
            cairo_translate(cr, x, cy);
            cairo_scale(cr, 1, 1.35);
            cairo_arc(cr, 0, 0, 1.35, 0, 2 * M_PI);
            cairo_restore(cr);
            SetRgb(cr, 0x1A1410);
            cairo_fill(cr);
            cairo_arc(cr, x + 0.4, cy - 0.7, 0.5, 0, 2 * M_PI);
            SetRgb(cr, 0xFFFFFF);
            cairo_fill(cr);
        }
    }
}

void Head(cairo_t* cr, const EngineerPose& p) {
    double s = IsSide(p) ? Side(p) : 0;
    // The face (or the back of the head).
    cairo_save(cr);
    cairo_translate(cr, 20 + s * 1.5, 16.5);
    cairo_scale(cr, IsSide(p) ? 0.85 : 1, 0.8);
    cairo_arc(cr, 0, 0, 8, 0, 2 * M_PI);
    cairo_restore(cr);
    FillLit(cr, p.facing == Facing::Back ? 0x6A4A30 : kSkin, 1.5, 0.25);
    if (p.facing != Facing::Back) {
        Eyes(cr, p, 17.5);
        cairo_arc(cr, 20 + s * 3 + p.look * 2, 20.3, 1.6, 0.2, M_PI - 0.2);  // a small smile
        SetRgb(cr, 0x8A4A30);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    if (!p.helmet) return;
    // The hard hat: a dome, a brim that sticks out forward, and a lamp on the front.
    cairo_arc(cr, 20 - s * 0.5, 12.5, 9.5, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillLit(cr, kHelmet, 1.5, 0.35);
    cairo_move_to(cr, 20 - s * 1, 4.5);
    cairo_line_to(cr, 20 - s * 1, 12);
    SetRgb(cr, Shade(kHelmet, 0.75));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    double bl = IsSide(p) ? 20 - s * 11 : 8.5, br = IsSide(p) ? 20 + s * 13 : 31.5;
    RoundedRect(cr, std::min(bl, br), 11.5, std::fabs(br - bl), 3, 1.5);
    FillLit(cr, Shade(kHelmet, 0.9), 1.2, 0.3);
    if (p.facing == Facing::Back) return;
    double lx = IsSide(p) ? 20 + s * 8 : 20;
    cairo_arc(cr, lx, 8.5, 2.6, 0, 2 * M_PI);
    FillLit(cr, pal::kMetalDark, 1, 0.4);
    cairo_arc(cr, lx, 8.5, 1.5, 0, 2 * M_PI);
    SetRgb(cr, p.knockedOut ? 0x6A6A5A : 0xFFFBE0);
    cairo_fill(cr);
}

void PaintEngineer(cairo_t* cr, const EngineerPose& p) {
    Legs(cr, p);
    bool armsBehind = p.facing == Facing::Back;
    if (armsBehind) Arms(cr, p);
    Torso(cr, p);
    if (!armsBehind) Arms(cr, p);
    Head(cr, p);
}

PictureData EngineerStrip(const char* name, int patterns, std::function<EngineerPose(int)> pose) {
    return StripPicture(name, patterns, 40, 40,
                        [&](cairo_t* cr, int p) { PaintEngineer(cr, pose(p)); });
}

// Knocked out: lying on the back, the helmet rolled off, stars over the head.
void PaintKnockedOut(cairo_t* cr, int) {
    cairo_save(cr);
    cairo_translate(cr, 20, 29);
    cairo_rotate(cr, -M_PI / 2);
    cairo_scale(cr, 0.85, 0.85);
    cairo_translate(cr, -20, -20);
    EngineerPose p;
    p.knockedOut = true;
    p.helmet = false;
    PaintEngineer(cr, p);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 33, 9);
    cairo_rotate(cr, 2.6);
    cairo_arc(cr, 0, 0, 6.5, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillLit(cr, kHelmet, 1.4, 0.3);
    cairo_restore(cr);
    for (int i = 0; i < 3; ++i) SparkStar(cr, 6 + i * 7, 9 + (i % 2) * 5, 4.5, pal::kYellow);
}

EngineerPose Walking(Facing facing, int step) {
    EngineerPose p;
    p.facing = facing;
    p.step = step;
    return p;
}

}  // namespace

std::vector<PictureData> EngineerPictures() {
    std::vector<PictureData> list;
    // Rest and idle loop: look ahead, blink, look left, look right.
    list.push_back(EngineerStrip("vivuz", 4, [](int p) {
        EngineerPose pose;
        pose.step = -1;
        pose.blink = p == 1;
        pose.look = p == 2 ? -1 : p == 3 ? 1 : 0;
        return pose;
    }));
    list.push_back(EngineerStrip("eddiesus", 2, [](int p) { return Walking(Facing::Back, p); }));
    list.push_back(EngineerStrip("eddiejos", 2, [](int p) { return Walking(Facing::Front, p); }));
    list.push_back(EngineerStrip("eddies", 2, [](int p) { return Walking(Facing::Left, p); }));
    list.push_back(EngineerStrip("eddied", 2, [](int p) { return Walking(Facing::Right, p); }));
    list.push_back(StripPicture("eddiemort", 1, 40, 40, PaintKnockedOut));
    return list;
}
