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

void DrawRobot(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, r / 40, r / 40);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // antenna
    SetRgb(cr, pal::kMetalDark);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 8, -36);
    cairo_line_to(cr, 14, -48);
    cairo_stroke(cr);
    cairo_arc(cr, 14, -49, 4, 0, 2 * M_PI);
    FillOutlined(cr, pal::kCyan, 1.5);
    // body
    cairo_pattern_t* g = cairo_pattern_create_radial(-14, -16, 4, 0, 0, 40);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.97, 0.98, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0xB8 / 255.0, 0xC2 / 255.0, 0xD2 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x46 / 255.0, 0x50 / 255.0, 0x62 / 255.0);
    cairo_arc(cr, 0, 0, 38, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Stroke(cr, 2.5);
    // the rolling band round the middle
    cairo_save(cr);
    cairo_arc(cr, 0, 0, 38, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.35);
    cairo_arc(cr, 0, 40, 44, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    cairo_restore(cr);
    // visor with two glowing eyes
    RoundedRect(cr, -24, -20, 48, 18, 8);
    FillOutlined(cr, 0x0C1624, 2);
    SetRgb(cr, pal::kCyan);
    for (double ex : {-10.0, 10.0}) {
        cairo_arc(cr, ex, -11, 5, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    SetRgb(cr, 0xFFFFFF);
    for (double ex : {-11.5, 8.5}) {
        cairo_arc(cr, ex, -12.5, 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawEngineer(cairo_t* cr, double cx, double top, double h) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, cx, top);
    cairo_scale(cr, h / 80, h / 80);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // boots and legs
    for (double lx : {-11.0, 3.0}) {
        cairo_rectangle(cr, lx, 62, 8, 10);
        FillOutlined(cr, 0x24488A, 1.5);
        RoundedRect(cr, lx - 2, 71, 12, 7, 2.5);
        FillOutlined(cr, 0x2A2218, 1.5);
    }
    // arms; the right hand holds a wrench
    RoundedRect(cr, -24, 42, 10, 20, 4);
    FillOutlined(cr, 0x3A6FC0, 1.5);
    cairo_save(cr);
    cairo_translate(cr, 20, 52);
    cairo_rotate(cr, -0.7);
    RoundedRect(cr, -3, -22, 6, 26, 2);
    FillOutlined(cr, pal::kMetalLight, 1.5);
    cairo_arc(cr, 0, -24, 7, 0, 2 * M_PI);
    FillOutlined(cr, pal::kMetalLight, 1.5);
    cairo_rectangle(cr, -2.5, -33, 5, 10);
    FillOutlined(cr, 0x1A2434, 1);
    cairo_restore(cr);
    RoundedRect(cr, 14, 42, 10, 16, 4);
    FillOutlined(cr, 0x3A6FC0, 1.5);
    cairo_arc(cr, 19, 58, 4, 0, 2 * M_PI);
    FillOutlined(cr, 0xE8B890, 1.2);
    // body: overalls with gold buttons and a tool belt
    RoundedRect(cr, -16, 38, 32, 28, 6);
    FillOutlined(cr, 0x3A6FC0, 2);
    cairo_rectangle(cr, -16, 55, 32, 5);
    FillOutlined(cr, 0x5A3A1E, 1.2);
    SetRgb(cr, pal::kGold);
    for (double bx : {-8.0, 8.0}) {
        cairo_arc(cr, bx, 44, 2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, -3, 55.5, 6, 4);
    cairo_fill(cr);
    // head with goggles
    cairo_arc(cr, 0, 28, 12, 0, 2 * M_PI);
    FillOutlined(cr, 0xE8B890, 2);
    cairo_rectangle(cr, -12, 24, 24, 4);
    FillOutlined(cr, 0x1A1E26, 1);
    for (double gx : {-5.5, 5.5}) {
        cairo_arc(cr, gx, 26, 4.5, 0, 2 * M_PI);
        FillOutlined(cr, pal::kCyan, 1.5);
        SetRgb(cr, 0xFFFFFF);
        cairo_arc(cr, gx - 1.5, 24.5, 1.2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    SetRgb(cr, 0x7A3A2A);
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, 0, 32, 4, 0.3, M_PI - 0.3);
    cairo_stroke(cr);
    // helmet: yellow dome, brim and lamp
    cairo_arc(cr, 0, 20, 15, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(-15, 4, 10, 20);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.95, 0.65);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.62, 0.10);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Stroke(cr, 2);
    RoundedRect(cr, -19, 18, 38, 5, 2);
    FillOutlined(cr, pal::kYellow, 1.5);
    cairo_arc(cr, 0, 12, 4, 0, 2 * M_PI);
    FillOutlined(cr, 0xDFFBFF, 1.2);
    cairo_restore(cr);
}

namespace {

PictureData BallMenu() {
    Canvas c(92, 100);
    RaisedPanel(c.cr, 0, 0, 92, 100, 10);
    DrawRobot(c.cr, 46, 46, 31);
    OutlinedText(c.cr, "Vivuz", 46, 94, 16, pal::kGold);
    return CanvasToPicture(c, "ballmeniu", 0, 0, true, pal::kBoardMid);
}

PictureData FaceMenu() {
    Canvas c(140, 100);
    RaisedPanel(c.cr, 0, 0, 140, 100, 10);
    DrawEngineer(c.cr, 70, 4, 76);
    OutlinedText(c.cr, "Vuzoda", 70, 94, 16, pal::kGold);
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
