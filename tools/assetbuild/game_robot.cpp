// Vivuz, the round rolling robot: rest and idle, walking in four directions, pushing, and the
// broken "no lives left" pose. Every pattern is 40 x 40.
#include <cmath>

#include "assetbuild/art_kit.h"
#include "assetbuild/game_art.h"

namespace {

constexpr double kCx = 20, kCy = 22, kR = 14.5;
const uint32_t kShell = 0xB4C4DA;
const uint32_t kBelt = pal::kOrange;

enum class View { Front, Back, Side };

struct RobotPose {
    View view = View::Front;
    double facing = 1;  // side view: +1 right, -1 left
    double roll = 0;    // turn of the rolling markings, radians
    double bob = 0;     // pixels down
    double look = 0;    // front view: eye shift, -1 left .. +1 right
    bool blink = false;
    bool tipLit = true;  // antenna light
    double reach = -1;   // push arm length in px; < 0 no arm
    bool broken = false;
};

void Antenna(cairo_t* cr, const RobotPose& pose, double cy) {
    double lean = pose.view == View::Side ? -pose.facing * 3 : 0;
    double tipX = kCx + lean + (pose.broken ? 7 : 0),
           tipY = pose.broken ? cy - kR + 1 : cy - kR - 5;
    cairo_move_to(cr, kCx, cy - kR + 2);
    cairo_curve_to(cr, kCx, cy - kR - 2, tipX, tipY + 3, tipX, tipY);
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetRgb(cr, pal::kMetalDark);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_arc(cr, tipX, tipY, 2.4, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, tipX, tipY, 1.6, 0, 2 * M_PI);
    SetRgb(cr, pose.broken ? 0x603020 : pose.tipLit ? pal::kGold : 0x7A5A20);
    cairo_fill(cr);
}

// The rolling markings: a wheel ring with bolts seen from the side, or seams that run over the
// sphere seen from the front or back.
void RollMarkings(cairo_t* cr, const RobotPose& pose, double cy) {
    if (pose.view == View::Side) {
        double wx = kCx - pose.facing * 2;
        cairo_arc(cr, wx, cy + 1, 8.5, 0, 2 * M_PI);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 3.6);
        cairo_stroke_preserve(cr);
        SetRgb(cr, kBelt);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int i = 0; i < 4; ++i) {
            double a = pose.roll * pose.facing + i * M_PI / 2;
            Rivet(cr, wx + 8.5 * std::cos(a), cy + 1 + 8.5 * std::sin(a), 1.6);
        }
        return;
    }
    double sense = pose.view == View::Front ? 1 : -1;
    for (int i = 0; i < 2; ++i) {
        double lat =
            std::fmod(pose.roll * sense + i * M_PI / 2 + 0.55 + M_PI / 2 + 4 * M_PI, M_PI) -
            M_PI / 2;
        double y = cy + kR * std::sin(lat), half = kR * std::cos(lat);
        if (half < 3) continue;
        cairo_save(cr);
        cairo_translate(cr, kCx, y);
        cairo_scale(cr, half, 2.2);
        cairo_arc(cr, 0, 0, 1, 0, M_PI);
        cairo_restore(cr);
        if (i == 0) {  // the orange belt
            SetRgb(cr, pal::kInk);
            cairo_set_line_width(cr, 3.8);
            cairo_stroke_preserve(cr);
            SetRgb(cr, kBelt);
            cairo_set_line_width(cr, 2.2);
        } else {
            SetRgb(cr, Shade(kShell, 0.55), 0.9);
            cairo_set_line_width(cr, 1.2);
        }
        cairo_stroke(cr);
    }
}

void Eye(cairo_t* cr, double x, double y, const RobotPose& pose) {
    if (pose.broken) {
        cairo_move_to(cr, x - 3, y - 2.5);
        cairo_line_to(cr, x + 3, y + 2.5);
        cairo_move_to(cr, x + 3, y - 2.5);
        cairo_line_to(cr, x - 3, y + 2.5);
        SetRgb(cr, pal::kRed);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        return;
    }
    if (pose.blink) {
        cairo_move_to(cr, x - 3.5, y);
        cairo_line_to(cr, x + 3.5, y);
        SetRgb(cr, pal::kCyan);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        return;
    }
    Glow(cr, x, y, 6, pal::kCyan, 0.6);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 1.15);
    cairo_arc(cr, 0, 0, 3, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRadial(cr, x - 1, y - 1, 3.5, 0xFFFFFF, pal::kCyan);
    cairo_fill(cr);
}

// The dark visor band with the eye, or the back hatch.
void Face(cairo_t* cr, const RobotPose& pose, double cy) {
    cairo_save(cr);
    cairo_arc(cr, kCx, cy, kR - 1, 0, 2 * M_PI);
    cairo_clip(cr);
    if (pose.view == View::Back) {
        RoundedRect(cr, kCx - 6, cy - 8, 12, 10, 2);
        FillLit(cr, Shade(kShell, 0.8), 1.2, 0.3);
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, kCx - 4, cy - 5.5 + i * 3);
            cairo_line_to(cr, kCx + 4, cy - 5.5 + i * 3);
        }
        SetRgb(cr, 0x2A3444);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, kCx + 5.5, cy + 5, 1.4, 0, 2 * M_PI);
        SetRgb(cr, pal::kGold);
        cairo_fill(cr);
        cairo_restore(cr);
        return;
    }
    double x0 = kCx - kR, x1 = kCx + kR;
    if (pose.view == View::Side) (pose.facing > 0 ? x0 : x1) = kCx - pose.facing * 1;
    RoundedRect(cr, std::min(x0, x1), cy - 9, std::fabs(x1 - x0), 10, 4);
    SetLinear(cr, 0, cy - 9, 0, cy + 1, 0x27364E, 0x080C14);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.2);
    cairo_new_path(cr);
    cairo_restore(cr);
    double ex = pose.view == View::Side ? kCx + pose.facing * 8.5 : kCx + pose.look * 6;
    Eye(cr, ex, cy - 4, pose);
}

void PushArm(cairo_t* cr, const RobotPose& pose, double cy) {
    double s = pose.facing, base = kCx + s * (kR - 3), tip = kCx + s * (kR - 3 + pose.reach);
    cairo_rectangle(cr, std::min(base, tip), cy + 3, std::fabs(tip - base), 4);
    FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    RoundedRect(cr, tip - (s > 0 ? 1 : 2.5), cy - 2, 3.5, 14, 1.2);
    FillLit(cr, pal::kGold, 1.2, 0.4);
}

void PaintRobot(cairo_t* cr, const RobotPose& pose) {
    double cy = kCy + pose.bob;
    if (pose.broken) {
        cairo_translate(cr, kCx, 40);
        cairo_rotate(cr, 0.25);
        cairo_scale(cr, 1.05, 0.92);
        cairo_translate(cr, -kCx, -40);
    }
    Antenna(cr, pose, cy);
    cairo_arc(cr, kCx, cy, kR, 0, 2 * M_PI);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    cairo_arc(cr, kCx, cy, kR - 1.4, 0, 2 * M_PI);
    SetRadial(cr, kCx - 5, cy - 6, kR * 1.7, Shade(kShell, 1.45), Shade(kShell, 0.45));
    cairo_fill(cr);
    RollMarkings(cr, pose, cy);
    Face(cr, pose, cy);
    // Gloss on the shell.
    cairo_arc(cr, kCx - 6.5, cy + (pose.view == View::Back ? -6 : 5), 2, 0, 2 * M_PI);
    SetRgb(cr, 0xFFFFFF, 0.75);
    cairo_fill(cr);
    if (pose.reach >= 0) PushArm(cr, pose, cy);
    if (pose.broken) {
        cairo_move_to(cr, kCx - 3, cy + kR - 2);
        cairo_line_to(cr, kCx + 1, cy + 6);
        cairo_line_to(cr, kCx - 2, cy + 3);
        cairo_line_to(cr, kCx + 4, cy - 1);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

PictureData RobotStrip(const char* name, int patterns, std::function<RobotPose(int)> pose) {
    return StripPicture(name, patterns, 40, 40,
                        [&](cairo_t* cr, int p) { PaintRobot(cr, pose(p)); });
}

// A walking pose: the markings roll a step and the body bobs on the second pattern.
RobotPose Walk(View view, double facing, int p) {
    RobotPose pose;
    pose.view = view;
    pose.facing = facing;
    pose.roll = p * M_PI / 4;
    pose.bob = p;
    return pose;
}

void Smoke(cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 27 + i * 3, 11 - i * 4.5, 2.5 + i * 0.8, 0, 2 * M_PI);
        SetRgb(cr, Mix(0x9AA2B0, 0x6A7080, i / 2.0));
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1);
        cairo_new_path(cr);
    }
    SparkStar(cr, 28, 20, 4, pal::kYellow);
}

}  // namespace

std::vector<PictureData> RobotPictures() {
    std::vector<PictureData> list;
    // Rest and idle loop: look ahead, blink, look left, look right.
    list.push_back(RobotStrip("ball", 4, [](int p) {
        RobotPose pose;
        pose.blink = p == 1;
        pose.look = p == 2 ? -1 : p == 3 ? 1 : 0;
        pose.tipLit = p != 1;
        return pose;
    }));
    list.push_back(RobotStrip("ballsus", 2, [](int p) { return Walk(View::Back, 1, p); }));
    list.push_back(RobotStrip("balljos", 2, [](int p) { return Walk(View::Front, 1, p); }));
    list.push_back(RobotStrip("balls", 2, [](int p) { return Walk(View::Side, -1, p); }));
    list.push_back(RobotStrip("balld", 2, [](int p) { return Walk(View::Side, 1, p); }));
    // Pushing: pattern 0 is held, the arm pressed against what it pushes.
    for (auto [name, facing] : {std::pair{"ballid", 1.0}, std::pair{"ballis", -1.0}}) {
        list.push_back(RobotStrip(name, 2, [facing](int p) {
            RobotPose pose = Walk(View::Side, facing, p);
            pose.reach = p == 0 ? 8 : 6;
            return pose;
        }));
    }
    PictureData broken = StripPicture("ballmort", 1, 40, 40, [](cairo_t* cr, int) {
        cairo_save(cr);
        RobotPose pose;
        pose.broken = true;
        pose.bob = 2;
        PaintRobot(cr, pose);
        cairo_restore(cr);
        Smoke(cr);
    });
    list.push_back(std::move(broken));
    return list;
}
