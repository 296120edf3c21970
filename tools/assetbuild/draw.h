// Cairo helpers shared by the picture builders.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "media/library_format.h"

// The colour key of every picture: magenta. No drawn pixel is allowed to become this colour after
// conversion to 16 bits; CairoToPicture nudges such pixels.
constexpr uint32_t kKeyRgb = 0xFF00FF;  // 0x00RRGGBB
constexpr uint32_t kKeyBgr = 0xFF00FF;  // 0x00BBGGRR (same value for magenta)

// A cairo ARGB32 canvas of w x h, cleared to fully transparent.
struct Canvas {
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    cairo_surface_t* surface;
    cairo_t* cr;
    int width, height;
};

// Turns a canvas into a picture item. Pixels with alpha below 96 become the colour key
// (transparent); the others are composited over `matte` (0x00RRGGBB, the colour the picture is
// usually seen on, so that anti-aliased edges blend smoothly) and never collapse into the key.
// With transparent = false every pixel is composited over the matte.
PictureData CanvasToPicture(const Canvas& canvas, const std::string& name, int patternWidth = 0,
                            int patternHeight = 0, bool transparent = true,
                            uint32_t matte = 0x0A1220);

// Colour helpers: set the source colour from 0xRRGGBB with an alpha.
void SetRgb(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Text in a bold display face ("Liberation Sans" bold), centred at (cx, baseline y).
void TextCentered(cairo_t* cr, const std::string& utf8, double cx, double y, double size,
                  uint32_t rgb, bool bold = true);
void TextLeft(cairo_t* cr, const std::string& utf8, double x, double y, double size, uint32_t rgb,
              bool bold = false);
