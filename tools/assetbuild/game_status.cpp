// The status bar under the play field and the pictures drawn on it: counter icons, digits and
// separators. The bar is drawn at y 401; its recessed panels sit where the counters are drawn.
#include <cmath>
#include <string>

#include "assetbuild/art_kit.h"
#include "assetbuild/game_art.h"

namespace {

constexpr int kBarWidth = 640, kBarHeight = 79;
constexpr int kBarTop = 401;  // screen y of the bar; panel positions below are screen positions
const uint32_t kPanel = 0x0A1220;  // panels behind the counters, and the icons' matte

// A recessed panel: dark, with shadow on its top and left and a light lip on its bottom/right.
void Panel(cairo_t* cr, double x, double screenY, double w, double h) {
    double y = screenY - kBarTop;
    RoundedRect(cr, x + 1, y + 1, w, h, 4);
    SetRgb(cr, 0x6F7E96, 0.8);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, 4);
    SetRgb(cr, kPanel);
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 2, y + h - 3);
    cairo_line_to(cr, x + 2, y + 2);
    cairo_line_to(cr, x + w - 3, y + 2);
    SetRgb(cr, 0x000000, 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// A stamped label: pale letters with a dark shadow below them.
void Engraved(cairo_t* cr, const char* text, double x, double baseline, double size,
              bool right = false) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    double left = right ? x - ext.x_advance : x;
    SetRgb(cr, 0x05080E);
    cairo_move_to(cr, left, baseline + 1);
    cairo_show_text(cr, text);
    SetRgb(cr, 0xA4B4CC);
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, text);
}

void BarBody(cairo_t* cr) {
    SetLinear(cr, 0, 0, 0, kBarHeight, 0x3A4A64, 0x18202E);
    cairo_paint(cr);
    SetRgb(cr, 0xFFFFFF, 0.04);
    for (int y = 6; y < kBarHeight; y += 3) cairo_rectangle(cr, 0, y, kBarWidth, 1);
    cairo_fill(cr);
    // The gold trim along the top edge that meets the play field.
    cairo_rectangle(cr, 0, 0, kBarWidth, 4);
    SetLinear(cr, 0, 0, 0, 4, 0xFFE08A, 0x9A6A18);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 4, kBarWidth, 1);
    SetRgb(cr, pal::kInk);
    cairo_fill(cr);
    for (double x : {6.0, 160.0, 394.0, 486.0, 634.0}) Rivet(cr, x, 10, 2.2);
    for (double x : {6.0, 634.0}) Rivet(cr, x, 72, 2.2);
    // Vent grilles in the free spaces.
    for (int i = 0; i < 6; ++i) RoundedRect(cr, 104, 42 + i * 5.5, 52, 2.5, 1.2);
    SetRgb(cr, 0x0A0E16);
    cairo_fill(cr);
    // A row of status lights.
    const uint32_t lights[] = {pal::kCyan, pal::kGold, 0x3FFF9A, pal::kCyan};
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, 404 + i * 14, 62, 3, 0, 2 * M_PI);
        SetRgb(cr, lights[i]);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1);
        cairo_new_path(cr);
    }
}

}  // namespace

PictureData StatusBarPicture() {
    Canvas canvas(kBarWidth, kBarHeight);
    cairo_t* cr = canvas.cr;
    BarBody(cr);
    OutlinedText(cr, "TOLMARA  DEEPGRID", 277, 29, 17, pal::kGold, 2.2);
    Panel(cr, 12, 434, 80, 34);    // bomb icon at (20, 442), digits from x 55
    Panel(cr, 167, 448, 222, 30);  // lives from (175, 454), six icons 35 px apart
    Panel(cr, 492, 413, 142, 30);  // infotron icon at (500, 420), digits from x 540
    Panel(cr, 492, 445, 142, 30);  // time icon at (505, 450), digits from x 540
    Engraved(cr, "BOMBS", 14, 27, 10);
    Engraved(cr, "LIVES", 170, 43, 10);
    Engraved(cr, "INFOTRONS", 486, 28, 10, true);
    Engraved(cr, "TIME", 486, 60, 10, true);
    return CanvasToPicture(canvas, "status", 0, 0, false);
}

// ---- icons, about 30 x 20, drawn over the dark panels

namespace {

PictureData Icon(const char* name, const std::function<void(cairo_t*)>& paint, int w = 30,
                 int h = 20) {
    return StripPicture(
        name, 1, w, h, [&](cairo_t* cr, int) { paint(cr); }, kPanel);
}

void MiniHeart(cairo_t* cr, uint32_t core, bool lit) {
    HeartPath(cr, 15, 10.5, 20);
    FillLit(cr, lit ? pal::kMetalLight : 0x4A5466, 1.5, 0.4);
    HeartPath(cr, 15, 10.8, 14);
    SetRadial(cr, 12, 8, 12, lit ? 0xFFB0B0 : Shade(core, 1.2), core);
    cairo_fill(cr);
    if (lit) {
        cairo_arc(cr, 11, 7.5, 1.5, 0, 2 * M_PI);
        SetRgb(cr, 0xFFFFFF, 0.9);
        cairo_fill(cr);
    }
}

}  // namespace

PictureData TimeIcon() {
    return Icon("timeicon", [](cairo_t* cr) {
        cairo_rectangle(cr, 13, 0.5, 4, 3);
        FillLit(cr, pal::kGold, 1, 0.4);
        cairo_arc(cr, 15, 11, 8.3, 0, 2 * M_PI);
        FillLit(cr, pal::kGold, 1.5, 0.4);
        cairo_arc(cr, 15, 11, 6.2, 0, 2 * M_PI);
        SetRgb(cr, 0xE8EEF6);
        cairo_fill(cr);
        cairo_move_to(cr, 15, 11);
        cairo_line_to(cr, 15, 6.5);
        cairo_move_to(cr, 15, 11);
        cairo_line_to(cr, 18.5, 12.5);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 1.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    });
}

PictureData InfotronIcon() {
    return Icon("infotronicon", [](cairo_t* cr) {
        for (double tilt : {0.35, -0.35}) {
            cairo_save(cr);
            cairo_translate(cr, 15, 10);
            cairo_rotate(cr, tilt);
            cairo_scale(cr, 1, 0.36);
            cairo_arc(cr, 0, 0, 12.5, 0, 2 * M_PI);
            cairo_restore(cr);
            SetRgb(cr, pal::kInk);
            cairo_set_line_width(cr, 3);
            cairo_stroke_preserve(cr);
            SetRgb(cr, 0x8FF0FF);
            cairo_set_line_width(cr, 1.3);
            cairo_stroke(cr);
        }
        cairo_arc(cr, 15, 10, 5, 0, 2 * M_PI);
        SetRadial(cr, 13.5, 8.5, 6, 0xFFFFFF, pal::kCyan);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1.2);
        cairo_new_path(cr);
        for (auto [x, y] : {std::pair{4.0, 6.5}, std::pair{26.0, 6.5}}) {
            cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
            SetRgb(cr, 0xFFFFFF);
            cairo_fill(cr);
        }
    });
}

PictureData LifeIcon() {
    return Icon("lifeicon", [](cairo_t* cr) { MiniHeart(cr, 0xC01830, true); });
}

PictureData LifeSlotIcon() {
    return Icon("lifeslot", [](cairo_t* cr) { MiniHeart(cr, 0x2A1A24, false); });
}

PictureData BombIcon() {
    return Icon("bombicon", [](cairo_t* cr) {
        cairo_arc(cr, 12, 12, 7.5, 0, 2 * M_PI);
        SetRadial(cr, 9.5, 9.5, 9, 0x5A6680, 0x0C1018);
        cairo_fill_preserve(cr);
        StrokeInk(cr, 1.5);
        cairo_new_path(cr);
        cairo_move_to(cr, 17, 6.5);
        cairo_curve_to(cr, 19, 3.5, 21, 4.5, 22.5, 3);
        SetRgb(cr, pal::kInk);
        cairo_set_line_width(cr, 2.8);
        cairo_stroke_preserve(cr);
        SetRgb(cr, 0xC9B08A);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        SparkStar(cr, 23.5, 3, 3.2, pal::kYellow);
        cairo_arc(cr, 9.5, 9.5, 1.7, 0, 2 * M_PI);
        SetRgb(cr, 0xFFFFFF, 0.7);
        cairo_fill(cr);
    });
}

// ---- digits and separators: 13 x 18 digits and 8 x 18 separators, so "100/100" drawn from
// x 540 ends well inside the screen (6 x 13 + 8 = 86 px).

namespace {

constexpr int kDigitW = 13, kSepW = 8, kGlyphH = 18;

void CounterGlyph(cairo_t* cr, const std::string& text, double cx, double baseline) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 20);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, baseline);
    cairo_text_path(cr, text.c_str());
    SetRgb(cr, pal::kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetLinear(cr, 0, baseline - 14, 0, baseline, 0xF4FEFF, 0x7FE4FA);
    cairo_fill(cr);
}

}  // namespace

PictureData DigitPicture(int digit) {
    std::string text(1, static_cast<char>('0' + digit));
    return Icon(("digit" + text).c_str(),
                [&](cairo_t* cr) { CounterGlyph(cr, text, kDigitW / 2.0, 16.3); }, kDigitW,
                kGlyphH);
}

PictureData SlashPicture() {
    return Icon(
        "slash",
        [](cairo_t* cr) {
            cairo_move_to(cr, 6.3, 2.5);
            cairo_line_to(cr, 1.7, 16);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            SetRgb(cr, pal::kInk);
            cairo_set_line_width(cr, 4);
            cairo_stroke_preserve(cr);
            SetRgb(cr, pal::kGold);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        },
        kSepW, kGlyphH);
}

PictureData ColonPicture() {
    // Drawn 2 px higher than the digits, so the dots sit low in the picture to centre on them.
    return Icon(
        "colon",
        [](cairo_t* cr) {
            for (double y : {8.0, 15.0}) {
                cairo_arc(cr, 4, y, 1.9, 0, 2 * M_PI);
                SetRgb(cr, pal::kGold);
                cairo_fill_preserve(cr);
                StrokeInk(cr, 1.2);
                cairo_new_path(cr);
            }
        },
        kSepW, kGlyphH);
}
