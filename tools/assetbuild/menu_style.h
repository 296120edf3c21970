// Shared look of the menu pictures: palette, board backgrounds, plates, panels and outlined text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assetbuild/draw.h"

// The art direction's palette (0xRRGGBB).
namespace pal {
constexpr uint32_t kDepth0 = 0x0A1220;
constexpr uint32_t kDepth1 = 0x1C2A3E;
constexpr uint32_t kTrace = 0x233A55;
constexpr uint32_t kCyan = 0x3FE0FF;
constexpr uint32_t kGold = 0xF2B640;
constexpr uint32_t kRed = 0xFF3B3B;
constexpr uint32_t kOrange = 0xFF8A1E;
constexpr uint32_t kYellow = 0xFFD23F;
constexpr uint32_t kMetalDark = 0x8A96A8;
constexpr uint32_t kMetalLight = 0xD6DDE8;
constexpr uint32_t kText = 0xE8EEF6;
constexpr uint32_t kPanel = 0x101B2D;  // fill of panels and help pages: text is composited over it
constexpr uint32_t kBoardMid = 0x132036;  // average board colour: matte of pictures drawn on it
}  // namespace pal

// A deep blue circuit board filling (x, y, w, h): vertical gradient, faint traces with pads.
// The same seed always gives the same traces.
void DrawBoard(cairo_t* cr, double x, double y, double w, double h, unsigned seed);

// A wide plate with a gold edge. lit: brighter fill (hover or pressed look).
void GoldPlate(cairo_t* cr, double x, double y, double w, double h, bool lit);
// A dark recessed panel with a thin cyan rim, as used around lists and fields.
void InsetPanel(cairo_t* cr, double x, double y, double w, double h, double radius);
// A raised panel: slate fill, gold outer edge, soft inner highlight at the top-left.
void RaisedPanel(cairo_t* cr, double x, double y, double w, double h, double radius);

enum class Align { Left, Center, Right };
// Text with a dark outline; x is the left edge, centre or right edge by align, y the baseline.
void OutlinedText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  uint32_t fill, Align align = Align::Center, bool bold = true,
                  uint32_t outline = 0x050A12, double outlineWidth = 3.0);
// Plain text (no outline) with alignment; returns the advance width.
double PlainText(cairo_t* cr, const std::string& text, double x, double y, double size,
                 uint32_t fill, Align align = Align::Left, bool bold = false);
double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold);
// Word-wrapped plain text from (x, baseline y) within width; returns the baseline after the
// last line. Words are split at spaces only.
double WrappedText(cairo_t* cr, const std::string& text, double x, double y, double width,
                   double size, double lineHeight, uint32_t fill, bool bold = false);

// The game's emblem: an eye whose white is a grid and whose iris is a cyan ring, centred at
// (cx, cy), r = half the eye's width.
void GridEye(cairo_t* cr, double cx, double cy, double r);
// The bomb emblem of the main menu in a 150 x 150 box from the origin: a round dark bomb with a
// lit fuse inside a thin cyan ring.
void DrawBombEmblem(cairo_t* cr);

// Small deterministic random numbers for textures (the same on every build machine).
class Lcg {
  public:
    explicit Lcg(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    unsigned Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    double Unit() { return (Next() & 0xFFFF) / 65536.0; }
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<unsigned>(hi - lo + 1));
    }

  private:
    unsigned state_;
};
