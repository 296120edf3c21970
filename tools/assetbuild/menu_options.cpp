// Options screen: the six labels, on/off switches, slider track and knob, and the back/ok buttons
// that the players screen shares.
#include <cmath>

#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

// The values start at x 326; each label is drawn at its own x, so its picture is as wide as the
// space up to 5 pixels before the values, and the text is right-aligned in it.
constexpr int kValueX = 326;
constexpr int kLabelGap = 5;

PictureData Label(const char* name, const char* text, int drawnAtX) {
    int width = kValueX - kLabelGap - drawnAtX;
    Canvas c(width, 24);
    OutlinedText(c.cr, text, width - 1, 18, 17, pal::kText, Align::Right);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

// A switch: a square lamp (the part that is clicked, the first 24 pixels) and its state beside it.
PictureData Switch(const char* name, bool on) {
    Canvas c(56, 24);
    cairo_t* cr = c.cr;
    RoundedRect(cr, 1, 1, 22, 22, 5);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    uint32_t light = on ? 0xB8FFD8 : 0xC06060;
    uint32_t dark = on ? 0x12A050 : 0x401414;
    cairo_pattern_t* g = cairo_pattern_create_radial(9, 9, 1, 12, 12, 9);
    cairo_pattern_add_color_stop_rgb(g, 0, ((light >> 16) & 255) / 255.0,
                                     ((light >> 8) & 255) / 255.0, (light & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((dark >> 16) & 255) / 255.0,
                                     ((dark >> 8) & 255) / 255.0, (dark & 255) / 255.0);
    cairo_arc(cr, 12, 12, 8, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    OutlinedText(cr, on ? "ON" : "OFF", 27, 18, 13, on ? 0x7CFFB0 : 0xFF9A8A, Align::Left);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

PictureData Track() {
    Canvas c(200, 10);
    cairo_t* cr = c.cr;
    RoundedRect(cr, 0.5, 0.5, 199, 9, 4.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 200, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.04, 0.10, 0.16);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.10, 0.52, 0.64);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return CanvasToPicture(c, "ops", 0, 0, true, pal::kBoardMid);
}

PictureData Knob() {
    Canvas c(12, 20);
    cairo_t* cr = c.cr;
    RoundedRect(cr, 0.75, 0.75, 10.5, 18.5, 3);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 12, 20);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.92, 0.66);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.72, 0.48, 0.10);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, 0x2A1A05);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    SetRgb(cr, 0x5A3A08);
    cairo_set_line_width(cr, 1);
    for (double y : {7.5, 10.5, 13.5}) {
        cairo_move_to(cr, 3, y);
        cairo_line_to(cr, 9, y);
    }
    cairo_stroke(cr);
    return CanvasToPicture(c, "opss", 0, 0, true, pal::kBoardMid);
}

// "back" is drawn at (249, 415) and clicked at 250 <= x <= 309, 420 <= y <= 442; "ok" is drawn at
// (320, 415) and clicked at 331 <= x <= 390. The plates cover exactly the part both screens accept.
PictureData BottomButton(const char* name, const char* text, int width, int plateX, bool pressed) {
    Canvas c(width, 28);
    GoldPlate(c.cr, plateX, 4, 60, 24, pressed);
    double shift = pressed ? 1 : 0;
    OutlinedText(c.cr, text, plateX + 30 + shift, 21 + shift, 15, pressed ? 0xFFF4D8 : pal::kText);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

}  // namespace

void AddOptionsPictures(std::vector<PictureData>& out) {
    out.push_back(Label("opmusic", "Music", 256));
    out.push_back(Label("opsounds", "Sounds", 251));
    out.push_back(Label("optips", "Tips", 258));
    out.push_back(Label("opspeed", "Game speed", 162));
    out.push_back(Label("opmusicv", "Music volume", 162));
    out.push_back(Label("opsoundv", "Sounds volume", 162));
    out.push_back(Label("opghost", "Ghost of your best", 162));
    out.push_back(Label("oprewind", "Rewind (practice)", 162));
    out.push_back(Switch("opon", true));
    out.push_back(Switch("opoff", false));
    out.push_back(Track());
    out.push_back(Knob());
    out.push_back(BottomButton("back", "BACK", 66, 1, false));
    out.push_back(BottomButton("backs", "BACK", 66, 1, true));
    out.push_back(BottomButton("ok", "OK", 72, 11, false));
    out.push_back(BottomButton("oks", "OK", 72, 11, true));
}
