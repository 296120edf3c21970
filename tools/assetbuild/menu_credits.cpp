// Credits screen: the tall credits picture that scrolls up, and the frame drawn over it.
#include <sstream>
#include <string>

#include "assetbuild/menu_parts.h"
#include "assetbuild/menu_style.h"

namespace {

// The credits scroll from y 480 up to y -1200 at x 250 and are seen through the frame's window
// (x 250..610, y 60 down to the bottom of the screen, so that they show from the first moment);
// at the end of the scroll rows 1260..1680 stay in view. The heading stands in the left column,
// below the rows where the message lines appear.
constexpr int kCreditsWidth = 360;
constexpr int kCreditsHeight = 1700;
constexpr int kWindowLeft = 250, kWindowTop = 60, kWindowRight = 610, kWindowBottom = 480;

// Centred text wrapped to the credits' width; returns the baseline after the last line.
double CentredLines(cairo_t* cr, const std::string& text, double y, double size, uint32_t rgb,
                    bool bold, double lineHeight) {
    std::istringstream words(text);
    std::string word, line;
    auto flush = [&]() {
        PlainText(cr, line, kCreditsWidth / 2.0, y, size, rgb, Align::Center, bold);
        y += lineHeight;
        line.clear();
    };
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate, size, bold) > kCreditsWidth - 30) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) flush();
    return y;
}

struct Credit {
    const char* name;
    const char* use;
    const char* licence;
};

const Credit kLibraries[] = {
    {"SDL2", "Simple DirectMedia Layer: window, pictures, input", "zlib licence"},
    {"SDL2_mixer", "sound effects and music", "zlib licence"},
    {"SDL2_ttf", "text on the menu screens", "zlib licence"},
    {"FreeType",
     "Portions of this software are copyright (c) The FreeType Project (www.freetype.org). "
     "All rights reserved.",
     "FreeType licence"},
    {"FluidSynth", "plays the music, through SDL2_mixer", "LGPL-2.1"},
    {"cairo", "used to draw the pictures when the game is built", "LGPL-2.1 / MPL-1.1"},
    {"libpng", "PNG images of the build tools", "libpng licence"},
    {"Liberation Sans", "the font of the pictures and menus", "SIL Open Font License 1.1"},
    {"TimGM6mb", "General MIDI sound font", "GPL-2"},
    {"GoogleTest", "the game's tests", "BSD-3-Clause"},
};

void Separator(cairo_t* cr, double y) {
    SetRgb(cr, pal::kGold, 1.0);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 80, y);
    cairo_line_to(cr, kCreditsWidth - 80, y);
    cairo_stroke(cr);
}

PictureData CreditsScroll() {
    Canvas c(kCreditsWidth, kCreditsHeight);
    cairo_t* cr = c.cr;
    SetRgb(cr, pal::kPanel);
    cairo_paint(cr);
    const double mid = kCreditsWidth / 2.0;
    // The first rows are seen half a second after the scroll begins.
    GridEye(cr, mid, 46, 70);
    OutlinedText(cr, "TOLMARA DEEPGRID", mid, 146, 30, pal::kGold);
    double y = CentredLines(cr, "an arcade maze puzzle game", 174, 16, pal::kCyan, false, 20);
    Separator(cr, y + 10);
    y = CentredLines(cr, "Design, programming, pictures, sounds, music and levels", y + 50, 15,
                     pal::kGold, true, 20);
    y = CentredLines(cr, "the Tolmara Deepgrid developers", y + 4, 18, pal::kText, true, 22);
    Separator(cr, y + 10);
    y = CentredLines(cr, "Made with", y + 50, 20, pal::kGold, true, 24);
    for (const Credit& lib : kLibraries) {
        y = CentredLines(cr, lib.name, y + 18, 18, pal::kText, true, 21);
        y = CentredLines(cr, lib.use, y, 14, 0xB8C4D4, false, 18);
        y = CentredLines(cr, lib.licence, y, 14, pal::kCyan, true, 18);
    }
    Separator(cr, y + 10);
    // the last words stand still in the middle of the window once the scroll has stopped
    y = std::max(y + 60, 1455.0);
    y = CentredLines(cr, "Thank you for playing!", y, 24, pal::kGold, true, 30);
    CentredLines(cr, "the Tolmara Deepgrid developers", y + 8, 16, pal::kText, false, 20);
    return CanvasToPicture(c, "credits", 0, 0, false);
}

// "informatii2": an opaque frame with a transparent window through which the credits show.
PictureData CreditsFrame() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 0, 0, 640, 480, 11);
    RoundedRect(cr, kWindowLeft - 8, kWindowTop - 8, kWindowRight - kWindowLeft + 16,
                kWindowBottom - kWindowTop + 16, 10);
    SetRgb(cr, pal::kGold);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft,
                    kWindowBottom - kWindowTop);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    GridEye(cr, 125, 170, 95);
    OutlinedText(cr, "TOLMARA", 125, 270, 30, pal::kGold);
    OutlinedText(cr, "DEEPGRID", 125, 302, 24, pal::kCyan);
    OutlinedText(cr, "CREDITS", 125, 380, 30, pal::kGold);
    OutlinedText(cr, "Esc: back", 125, 452, 16, pal::kText);
    return CanvasToPicture(c, "informatii2", 0, 0, true, pal::kPanel);
}

}  // namespace

void AddCreditsPictures(std::vector<PictureData>& out) {
    out.push_back(CreditsScroll());
    out.push_back(CreditsFrame());
}
