// Information screen: its background, the page buttons, the page numbers and the seven pages.
#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

// "informatii": the board with one flat panel that the pages write on (their text is blended
// over pal::kPanel), with the page buttons, the key hint beside them and the page number at its
// foot. The credits screen draws it too, behind its frame, whose window (x 250..610, y 60 down to
// the bottom) shows the panel wherever the scrolling credits are not yet: so the panel reaches
// far down and nothing is written on it right of x 250.
PictureData InfoBackground() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 0, 0, 640, 480, 11);
    RoundedRect(cr, 16, 14, 608, 452, 12);
    SetRgb(cr, pal::kPanel);
    cairo_fill_preserve(cr);
    SetRgb(cr, pal::kGold);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    PlainText(cr, "PgUp / PgDn: page", 134, 422, 12, pal::kText, Align::Left, true);
    PlainText(cr, "Esc: back", 134, 442, 12, pal::kText, Align::Left, true);
    return CanvasToPicture(c, "informatii", 0, 0, false);
}

void Chevron(cairo_t* cr, double cx, double cy, bool up) {
    double d = up ? -1 : 1;
    cairo_move_to(cr, cx - 6, cy - d * 3);
    cairo_line_to(cr, cx, cy + d * 3);
    cairo_line_to(cr, cx + 6, cy - d * 3);
    SetRgb(cr, pal::kCyan);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// "updown" at (50, 400): "previous" is clicked at y < 424 (the top 24 rows), "next" at y > 432.
PictureData PageButtons() {
    Canvas c(77, 57);
    cairo_t* cr = c.cr;
    GoldPlate(cr, 0, 0, 77, 24, false);
    GoldPlate(cr, 0, 33, 77, 24, false);
    Chevron(cr, 14, 12, true);
    OutlinedText(cr, "PREV", 46, 17, 13, pal::kText);
    Chevron(cr, 14, 45, false);
    OutlinedText(cr, "NEXT", 46, 50, 13, pal::kText);
    return CanvasToPicture(c, "updown", 0, 0, true, pal::kBoardMid);
}

PictureData PageNumber(int page) {
    Canvas c(100, 30);
    RoundedRect(c.cr, 1, 1, 98, 28, 8);
    SetRgb(c.cr, pal::kPanel);
    cairo_fill_preserve(c.cr);
    SetRgb(c.cr, pal::kGold);
    cairo_set_line_width(c.cr, 2);
    cairo_stroke(c.cr);
    std::string text = "Page " + std::to_string(page) + " / 7";
    OutlinedText(c.cr, text, 50, 20, 15, pal::kText);
    return CanvasToPicture(c, "p" + std::to_string(page), 0, 0, true, pal::kBoardMid);
}

}  // namespace

void AddHelpPictures(std::vector<PictureData>& out) {
    out.push_back(InfoBackground());
    out.push_back(PageButtons());
    for (int page = 1; page <= 7; ++page) out.push_back(PageNumber(page));
    AddHelpPages(out);
}
