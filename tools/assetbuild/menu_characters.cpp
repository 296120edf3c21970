// The two characters (the rolling robot Vivuz, the engineer Vuzoda) and the selection screen.
#include <cmath>

#include "assetbuild/menu_icons.h"
#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

void Stroke(cairo_t* cr, double width) {
    SetRgb(cr, 0x05080E);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillOutlined(cairo_t* cr, uint32_t rgb, double width = 2) {
    SetRgb(cr, rgb);
    cairo_fill_preserve(cr);
    Stroke(cr, width);
}

}  // namespace

// Vivuz as the game draws it: a glossy dark dome with one cyan eye over a silver lower half,
// an orange tread band underneath and an antenna with a gold tip.
void DrawRobot(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, r / 40, r / 40);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_rectangle(cr, -3, -52, 6, 16);
    FillOutlined(cr, 0x3A4250, 1.5);
    RoundedRect(cr, -5, -58, 10, 9, 3);
    FillOutlined(cr, pal::kGold, 1.5);
    // the tread band, peeking out below the body
    cairo_save(cr);
    cairo_scale(cr, 1, 0.32);
    cairo_arc(cr, 0, 100, 34, 0, 2 * M_PI);
    cairo_restore(cr);
    FillOutlined(cr, pal::kOrange, 2);
    // lower half: silver
    cairo_arc(cr, 0, 0, 38, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 38);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.90, 0.93, 0.97);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.50, 0.58);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Stroke(cr, 2.5);
    // upper half: the glossy dark dome
    cairo_arc(cr, 0, 0, 38, M_PI * 0.97, M_PI * 2.03);
    cairo_close_path(cr);
    g = cairo_pattern_create_radial(-12, -24, 3, 0, -6, 40);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.42, 0.50, 0.62);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.12, 0.16, 0.24);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.03, 0.05, 0.09);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Stroke(cr, 2.5);
    g = cairo_pattern_create_radial(-4, -14, 1, -4, -14, 10);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 0x3F / 255.0, 0xE0 / 255.0, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.45, 0.65);
    cairo_arc(cr, -4, -14, 9, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);
    cairo_fill(cr);
    SetRgb(cr, 0xFFFFFF, 0.9);
    cairo_arc(cr, 22, 14, 3.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Vuzoda as the game draws it: yellow helmet with a lamp, blue shirt with orange sleeves and
// belt, dark trousers and boots.
void DrawEngineer(cairo_t* cr, double cx, double top, double h) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, h / 80, h / 80);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double lx : {-11.0, 2.0}) {
        cairo_rectangle(cr, lx, 60, 9, 12);
        FillOutlined(cr, 0x1E3A6E, 1.5);
        RoundedRect(cr, lx - 1.5, 70, 12, 8, 2.5);
        FillOutlined(cr, 0x2A2218, 1.5);
    }
    for (double ax : {-25.0, 15.0}) {
        RoundedRect(cr, ax, 40, 10, 20, 4);
        FillOutlined(cr, pal::kOrange, 1.5);
        cairo_arc(cr, ax + 5, 61, 4, 0, 2 * M_PI);
        FillOutlined(cr, 0xE8B890, 1.2);
    }
    RoundedRect(cr, -16, 38, 32, 24, 5);
    FillOutlined(cr, 0x3A78C8, 2);
    cairo_rectangle(cr, -16, 54, 32, 5);
    FillOutlined(cr, pal::kOrange, 1.2);
    cairo_arc(cr, 0, 28, 12.5, 0, 2 * M_PI);
    FillOutlined(cr, 0xE8B890, 2);
    SetRgb(cr, 0x2A1A10);
    for (double ex : {-5.0, 5.0}) {
        cairo_arc(cr, ex, 28, 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, 0, 31, 4, 0.4, M_PI - 0.4);
    cairo_stroke(cr);
    cairo_arc(cr, 0, 21, 16, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(-15, 4, 10, 20);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.95, 0.60);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.70, 0.10);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Stroke(cr, 2);
    RoundedRect(cr, -21, 18, 42, 6, 2);
    FillOutlined(cr, pal::kYellow, 1.5);
    cairo_arc(cr, 0, 11, 4.5, 0, 2 * M_PI);
    FillOutlined(cr, 0xF4FBFF, 1.2);
    cairo_restore(cr);
}

namespace {

// The two frames are of one size. "ballmeniu" rests at x 188 and is chosen by clicks on x 188 to
// 280, so its frame is 92 pixels wide; "tmmeniu" rests at x 340 and is chosen by clicks on x 341
// to 480, so its frame of the same width stands in the middle of that band (x 364 to 456), and
// the two frames stand evenly about the middle of the screen.
constexpr double kFrameWidth = 92, kFrameHeight = 100;
constexpr int kFaceBand = 140;

PictureData BallMenu() {
    Canvas c(static_cast<int>(kFrameWidth), static_cast<int>(kFrameHeight));
    RaisedPanel(c.cr, 0, 0, kFrameWidth, kFrameHeight, 10);
    DrawRobot(c.cr, kFrameWidth / 2, 46, 31);
    OutlinedText(c.cr, "Vivuz", kFrameWidth / 2, 94, 16, pal::kGold);
    return CanvasToPicture(c, "ballmeniu", 0, 0, true, pal::kBoardMid);
}

PictureData FaceMenu() {
    Canvas c(kFaceBand, static_cast<int>(kFrameHeight));
    const double left = (kFaceBand - kFrameWidth) / 2, middle = kFaceBand / 2.0;
    RaisedPanel(c.cr, left, 0, kFrameWidth, kFrameHeight, 10);
    DrawEngineer(c.cr, middle, 4, 76);
    OutlinedText(c.cr, "Vuzoda", middle, 94, 16, pal::kGold);
    return CanvasToPicture(c, "tmmeniu", 0, 0, true, pal::kBoardMid);
}

PictureData SelectTitle() {
    Canvas c(400, 50);
    GoldPlate(c.cr, 20, 2, 360, 46, false);
    OutlinedText(c.cr, "Select your character", 200, 33, 26, pal::kText);
    return CanvasToPicture(c, "selectyourcharacter", 0, 0, true, pal::kBoardMid);
}

}  // namespace

void AddCharacterPictures(std::vector<PictureData>& out) {
    out.push_back(BallMenu());
    out.push_back(FaceMenu());
    out.push_back(SelectTitle());
}
