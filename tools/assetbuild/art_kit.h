// Shared palette and cairo drawing helpers of the tile and game pictures.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "assetbuild/draw.h"

// The palette of the art direction (0xRRGGBB).
namespace pal {
constexpr uint32_t kDeep = 0x0A1220;    // darkest board
constexpr uint32_t kSlate = 0x1C2A3E;   // lighter board
constexpr uint32_t kTrace = 0x233A55;   // faint circuit traces
constexpr uint32_t kCyan = 0x3FE0FF;    // energy, infotrons, highlights
constexpr uint32_t kGold = 0xF2B640;    // traces, buttons, text accents
constexpr uint32_t kRed = 0xFF3B3B;     // danger
constexpr uint32_t kOrange = 0xFF8A1E;  // danger, fire
constexpr uint32_t kYellow = 0xFFD23F;  // caution
constexpr uint32_t kMetalDark = 0x8A96A8;
constexpr uint32_t kMetalLight = 0xD6DDE8;
constexpr uint32_t kText = 0xE8EEF6;
constexpr uint32_t kInk = 0x04070D;  // outlines
}  // namespace pal

// Draws one pattern: the cell's top-left corner is the origin and drawing is clipped to it.
using PatternPainter = std::function<void(cairo_t* cr, int pattern)>;

// A picture of `patterns` cells of w x h laid side by side, each painted by `paint`.
// The picture's pattern size is w x h; matte as for CanvasToPicture.
PictureData StripPicture(const std::string& name, int patterns, int w, int h,
                         const PatternPainter& paint, uint32_t matte = pal::kDeep,
                         bool transparent = true);

// Deterministic pseudo-random value in [0, 1) from three integers (same on every machine).
double Hash01(int a, int b = 0, int c = 0);

// Mixes two colours: t = 0 gives a, t = 1 gives b.
uint32_t Mix(uint32_t a, uint32_t b, double t);
// Multiplies a colour's channels by f (> 1 lightens, clamped).
uint32_t Shade(uint32_t rgb, double f);

// Sets a vertical or diagonal linear gradient from c0 at (x0, y0) to c1 at (x1, y1).
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t c0, uint32_t c1);
// Sets a radial gradient centred at (cx, cy): c0 at the centre, c1 at radius r (alphas a0, a1).
void SetRadial(cairo_t* cr, double cx, double cy, double r, uint32_t c0, uint32_t c1,
               double a0 = 1.0, double a1 = 1.0);

// Fills the current path with `fill` lit from the top left (lighter at the top left, darker at
// the bottom right), strokes it with the dark ink outline of `outline` px, and clears the path.
// The path's extents set the gradient.
void FillLit(cairo_t* cr, uint32_t fill, double outline = 1.5, double contrast = 0.35);
// Strokes the current path (kept) with the ink colour.
void StrokeInk(cairo_t* cr, double width);
// A soft round glow of colour rgb: full alpha `alpha` at the centre, none at radius r.
void Glow(cairo_t* cr, double cx, double cy, double r, uint32_t rgb, double alpha = 1.0);
// A bevelled plate filling x, y, w, h: face lit from the top left, light top/left edges and dark
// bottom/right edges of `bevel` px, ink outline.
void BevelPlate(cairo_t* cr, double x, double y, double w, double h, double radius, uint32_t face,
                double bevel = 2.5);
// A rivet (small lit dome) at (x, y).
void Rivet(cairo_t* cr, double x, double y, double r, uint32_t metal = pal::kMetalLight);
// The path of an arrow pointing along `angle` (radians, 0 = right, pi/2 = down), centred at
// (cx, cy), `length` long with a head `head` wide.
void ArrowPath(cairo_t* cr, double cx, double cy, double length, double head, double shaft,
               double angle);
// The path of a heart centred at (cx, cy), about `size` wide.
void HeartPath(cairo_t* cr, double cx, double cy, double size);
// A four-pointed spark star of radius r with a bright core.
void SparkStar(cairo_t* cr, double x, double y, double r, uint32_t rgb, double alpha = 1.0);
// A text outlined in ink (for small labels on pictures), centred at cx with baseline y.
void OutlinedText(cairo_t* cr, const std::string& text, double cx, double y, double size,
                  uint32_t rgb, double outline = 2.0, const char* face = "Liberation Sans");
