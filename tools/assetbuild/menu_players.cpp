// Players and levels screen: the player panel, the level panel, arrow columns, add and edit/delete
// buttons and the text cursor. Positions in comments are screen positions at rest.
#include <cmath>

#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

// "eyn" rests at (-10, 200). The game writes the name being typed at (67, 240) and the three
// names at x 67, y 277 / 303 / 329 (the middle one is the selection); the name field is clicked
// at 63..208 x 240..265, the arrow column sits at (38, 278), edit/delete at (214, 360). The
// panel itself begins at x 12 of the picture, so at rest it stands 2 pixels inside the screen.
PictureData PlayerPanel() {
    constexpr double kLeft = 12;  // the picture's columns left of this lie off the screen at rest
    Canvas c(290, 182);
    cairo_t* cr = c.cr;
    RaisedPanel(cr, kLeft, 0, 290 - kLeft, 182, 12);
    OutlinedText(cr, "PLAYER", (kLeft + 290) / 2, 27, 19, pal::kGold);
    PlainText(cr, "Name", 66, 57, 14, pal::kText, Align::Right, true);
    InsetPanel(cr, 73, 37, 141, 28, 5);    // name field: screen 63..204 x 237..265
    InsetPanel(cr, 72, 72, 212, 82, 6);    // names list: screen 62..274 x 272..354
    RoundedRect(cr, 75, 101, 206, 21, 3);  // selected name, screen y 301..322
    SetRgb(cr, 0x173E52);
    cairo_fill(cr);
    PlainText(cr, "Edit / Delete", 218, 173, 14, pal::kText, Align::Right, true);
    return CanvasToPicture(c, "eyn", 0, 0, true, pal::kBoardMid);
}

// "cal" rests at (311, 221); the level lines are written at x 371, y 279 / 305 / 331 and the
// level arrow column sits at (330, 275).
PictureData LevelPanel() {
    Canvas c(320, 160);
    cairo_t* cr = c.cr;
    RaisedPanel(cr, 0, 0, 320, 160, 12);
    OutlinedText(cr, "LEVEL", 160, 28, 19, pal::kGold);
    PlainText(cr, "H: records", 308, 26, 12, pal::kText, Align::Right, true);
    InsetPanel(cr, 50, 52, 264, 82, 6);   // lines: screen 361..625 x 273..355
    RoundedRect(cr, 53, 82, 258, 21, 3);  // current level, screen y 303..324
    SetRgb(cr, 0x173E52);
    cairo_fill(cr);
    double x = PlainText(cr, "green: chosen", 52, 152, 13, 0x40FF40, Align::Left, true) + 52;
    x += PlainText(cr, "   yellow: open", x, 152, 13, 0xFFFF40, Align::Left, true);
    PlainText(cr, "   red: locked", x, 152, 13, 0xFF5050, Align::Left, true);
    return CanvasToPicture(c, "cal", 0, 0, true, pal::kBoardMid);
}

void Triangle(cairo_t* cr, double cx, double cy, double s, bool up, uint32_t colour) {
    double d = up ? -1 : 1;
    cairo_move_to(cr, cx, cy + d * s * 0.55);
    cairo_line_to(cr, cx + s * 0.6, cy - d * s * 0.4);
    cairo_line_to(cr, cx - s * 0.6, cy - d * s * 0.4);
    cairo_close_path(cr);
    SetRgb(cr, colour);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x05080E);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The arrow column, 26 x 80: the up part is the top 23 rows, the down part the bottom 24, the
// middle does nothing. lit: 0 none, 1 up, 2 down.
PictureData ArrowColumn(const char* name, int lit) {
    Canvas c(26, 80);
    cairo_t* cr = c.cr;
    RoundedRect(cr, 8, 20, 10, 40, 3);
    SetRgb(cr, 0x2A3A52);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x05080E);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    GoldPlate(cr, 0, 0, 26, 23, lit == 1);
    GoldPlate(cr, 0, 56, 26, 24, lit == 2);
    Triangle(cr, 13, 11.5, 12, true, lit == 1 ? 0xFFFFFF : pal::kCyan);
    Triangle(cr, 13, 68, 12, false, lit == 2 ? 0xFFFFFF : pal::kCyan);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

void Pencil(cairo_t* cr, double cx, double cy) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -M_PI / 4);
    cairo_rectangle(cr, -6, -2, 9, 4);
    SetRgb(cr, pal::kYellow);
    cairo_fill(cr);
    cairo_move_to(cr, 3, -2);
    cairo_line_to(cr, 7, 0);
    cairo_line_to(cr, 3, 2);
    cairo_close_path(cr);
    SetRgb(cr, pal::kText);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Cross(cairo_t* cr, double cx, double cy) {
    SetRgb(cr, pal::kRed);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx - 4, cy - 4);
    cairo_line_to(cr, cx + 4, cy + 4);
    cairo_move_to(cr, cx + 4, cy - 4);
    cairo_line_to(cr, cx - 4, cy + 4);
    cairo_stroke(cr);
}

// Edit/delete pair, 47 x 17: edit is clicked at x < 21, delete at x > 26.
PictureData EditDelete(const char* name, int lit) {
    Canvas c(47, 17);
    GoldPlate(c.cr, 0, 0, 21, 17, lit == 1);
    GoldPlate(c.cr, 26, 0, 21, 17, lit == 2);
    Pencil(c.cr, 10.5, 8.5);
    Cross(c.cr, 36.5, 8.5);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

PictureData AddButton(const char* name, bool pressed) {
    Canvas c(56, 20);
    GoldPlate(c.cr, 0, 0, 56, 20, pressed);
    OutlinedText(c.cr, "ADD", 28 + (pressed ? 1 : 0), 15 + (pressed ? 1 : 0), 13, pal::kText);
    return CanvasToPicture(c, name, 0, 0, true, pal::kBoardMid);
}

PictureData TextCursor() {
    Canvas c(2, 16);
    SetRgb(c.cr, pal::kCyan);
    cairo_paint(c.cr);
    return CanvasToPicture(c, "cursor", 0, 0, false);
}

// "board" rests at (20, 150): the records of one level. The game writes the level's name at
// y 184, ten runs at y 218 + 18 n from x 44 (the selected one over "boardsel" at (36, 216 + 18 n)),
// and the chosen player's statistics at y 406.
PictureData BoardPanel() {
    Canvas c(600, 320);
    cairo_t* cr = c.cr;
    RaisedPanel(cr, 0, 0, 600, 320, 12);
    OutlinedText(cr, "RECORDS", 300, 27, 19, pal::kGold);
    InsetPanel(cr, 14, 62, 572, 188, 6);  // runs: screen 34..606 x 212..400
    PlainText(cr, "Up / Down: choose     Enter: watch     X: export     Escape: back", 300, 306, 13,
              pal::kText, Align::Center, true);
    return CanvasToPicture(c, "board", 0, 0, true, pal::kBoardMid);
}

PictureData BoardSelection() {
    Canvas c(556, 18);
    RoundedRect(c.cr, 0, 0, 556, 18, 3);
    SetRgb(c.cr, 0x173E52);
    cairo_fill(c.cr);
    return CanvasToPicture(c, "boardsel", 0, 0, false);
}

}  // namespace

void AddPlayersPictures(std::vector<PictureData>& out) {
    out.push_back(PlayerPanel());
    out.push_back(AddButton("add", false));
    out.push_back(AddButton("adda", true));
    out.push_back(ArrowColumn("butoane", 0));
    out.push_back(ArrowColumn("butoane1", 1));
    out.push_back(ArrowColumn("butoane2", 2));
    out.push_back(LevelPanel());
    out.push_back(EditDelete("ex", 0));
    out.push_back(EditDelete("ex1", 1));
    out.push_back(EditDelete("ex2", 2));
    out.push_back(TextCursor());
    out.push_back(BoardPanel());
    out.push_back(BoardSelection());
}
