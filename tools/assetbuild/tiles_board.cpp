// The play-field background, the border frame, the floor and the solid walls of the tile set.
#include <array>
#include <cmath>
#include <utility>

#include "assetbuild/art_kit.h"
#include "assetbuild/tiles.h"

namespace {

// One circuit trace of the background: legs along the 20 px grid joined by 45-degree bends,
// with a via at each end.
void BackgroundTrace(cairo_t* cr, int seed) {
    double x = 10 + 20 * std::floor(Hash01(seed, 1) * 32);
    double y = 10 + 20 * std::floor(Hash01(seed, 2) * 24);
    int dir = static_cast<int>(Hash01(seed, 3) * 4);
    const double dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
    cairo_move_to(cr, x, y);
    double sx = x, sy = y;
    int legs = 2 + static_cast<int>(Hash01(seed, 4) * 3);
    for (int leg = 0; leg < legs; ++leg) {
        double len = 20 * (2 + std::floor(Hash01(seed, 10 + leg) * 7));
        x += dx[dir] * len;
        y += dy[dir] * len;
        cairo_line_to(cr, x, y);
        int turn = Hash01(seed, 20 + leg) < 0.5 ? 1 : 3;
        int next = (dir + turn) % 4;
        x += (dx[dir] + dx[next]) * 10;  // the 45-degree bend
        y += (dy[dir] + dy[next]) * 10;
        cairo_line_to(cr, x, y);
        dir = next;
    }
    uint32_t colour = Hash01(seed, 5) < 0.18 ? 0x3A3424 : pal::kTrace;
    SetRgb(cr, colour, 0.9);
    cairo_set_line_width(cr, Hash01(seed, 6) < 0.3 ? 3 : 1.6);
    cairo_stroke(cr);
    for (auto [vx, vy] : {std::pair{sx, sy}, std::pair{x, y}}) {
        cairo_arc(cr, vx, vy, 3, 0, 2 * M_PI);
        SetRgb(cr, colour);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
}

// A dim chip outline of the background with pins on its long sides.
void BackgroundChip(cairo_t* cr, int seed) {
    double w = 40 + 20 * std::floor(Hash01(seed, 1) * 4),
           h = 20 + 20 * std::floor(Hash01(seed, 2) * 2);
    double x = 20 * std::floor(Hash01(seed, 3) * (640 - w) / 20);
    double y = 20 * std::floor(Hash01(seed, 4) * (480 - h) / 20);
    RoundedRect(cr, x, y, w, h, 3);
    SetRgb(cr, 0x0E1828);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x1D3048);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetRgb(cr, 0x1F3349);
    for (double px = x + 6; px < x + w - 4; px += 8) {
        cairo_rectangle(cr, px, y - 4, 3, 4);
        cairo_rectangle(cr, px, y + h, 3, 4);
    }
    cairo_fill(cr);
}

}  // namespace

PictureData TileBackground() {
    Canvas canvas(640, 480);
    cairo_t* cr = canvas.cr;
    SetLinear(cr, 0, 0, 640, 480, 0x0D1727, pal::kDeep);
    cairo_paint(cr);
    // A faint fine grid gives the board its fibre.
    SetRgb(cr, 0x111D30);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 640; i += 10) {
        cairo_move_to(cr, i + 0.5, 0);
        cairo_line_to(cr, i + 0.5, 480);
    }
    for (int i = 0; i <= 480; i += 10) {
        cairo_move_to(cr, 0, i + 0.5);
        cairo_line_to(cr, 640, i + 0.5);
    }
    cairo_stroke(cr);
    for (int i = 0; i < 9; ++i) BackgroundChip(cr, 500 + i);
    for (int i = 0; i < 70; ++i) BackgroundTrace(cr, i);
    return CanvasToPicture(canvas, "background", 0, 0, false);
}

// ---- border frame

namespace {

const uint32_t kFrameSteel = 0x76839A;

// The horizontal beam of the frame (code 3): full height, a recessed channel along its middle,
// rivets above and below it; it joins seamlessly to its left and right neighbours.
void PaintBeam(cairo_t* cr) {
    SetLinear(cr, 0, 0, 0, 40, Shade(kFrameSteel, 1.35), Shade(kFrameSteel, 0.7));
    cairo_paint(cr);
    SetRgb(cr, Shade(kFrameSteel, 1.7), 0.8);
    cairo_rectangle(cr, 0, 1.5, 40, 1.5);
    cairo_fill(cr);
    // The channel: dark with a shadow along its top edge and a highlight along its bottom.
    cairo_rectangle(cr, 0, 14, 40, 12);
    SetRgb(cr, 0x2C3444);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 14, 40, 2.5);
    SetRgb(cr, pal::kInk, 0.7);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 25, 40, 1.2);
    SetRgb(cr, Shade(kFrameSteel, 1.5), 0.8);
    cairo_fill(cr);
    SetRgb(cr, pal::kInk);
    cairo_rectangle(cr, 0, 0, 40, 1.5);
    cairo_rectangle(cr, 0, 38.5, 40, 1.5);
    cairo_fill(cr);
    for (double x : {10.0, 30.0}) {
        Rivet(cr, x, 8, 2.4);
        Rivet(cr, x, 32, 2.4);
    }
}

// A corner block: a heavy plate with channels running to its two neighbours and a hex bolt.
void PaintCorner(cairo_t* cr, bool channelRight, bool channelDown) {
    BevelPlate(cr, 0, 0, 40, 40, 1.5, Shade(kFrameSteel, 1.05), 3);
    SetRgb(cr, 0x2C3444);
    double cx0 = channelRight ? 20 : 0, cy0 = channelDown ? 20 : 0;
    cairo_rectangle(cr, cx0, 14, 20, 12);
    cairo_rectangle(cr, 14, cy0, 12, 20);
    cairo_fill(cr);
    cairo_arc(cr, 20, 20, 10, 0, 2 * M_PI);
    SetRgb(cr, 0x2C3444);
    cairo_fill(cr);
    // The hex bolt head.
    for (int i = 0; i < 6; ++i) {
        double a = M_PI / 6 + i * M_PI / 3;
        cairo_line_to(cr, 20 + 8 * std::cos(a), 20 + 8 * std::sin(a));
    }
    cairo_close_path(cr);
    FillLit(cr, pal::kMetalDark, 1.2, 0.4);
    cairo_arc(cr, 20, 20, 3, 0, 2 * M_PI);
    SetRgb(cr, 0x3A4354);
    cairo_fill(cr);
}

}  // namespace

void PaintBorder(cairo_t* cr, int code) {
    cairo_matrix_t mirror;
    switch (code) {
        case 1:
            PaintCorner(cr, true, true);
            break;
        case 2:
            PaintCorner(cr, false, true);
            break;
        case 5:
            PaintCorner(cr, true, false);
            break;
        case 6:
            PaintCorner(cr, false, false);
            break;
        case 3:
            PaintBeam(cr);
            break;
        case 4:
            // The vertical beam is the horizontal one mirrored across the diagonal, which keeps
            // the light on the top-left side.
            cairo_matrix_init(&mirror, 0, 1, 1, 0, 0, 0);
            cairo_transform(cr, &mirror);
            PaintBeam(cr);
            break;
        default:
            break;
    }
}

// ---- floor and walls

void PaintFloor(cairo_t* cr) {
    BevelPlate(cr, 0.5, 0.5, 39, 39, 2, 0x3A4556, 1.5);
    cairo_set_line_width(cr, 1);
    for (int i = 8; i < 40; i += 8) {
        SetRgb(cr, 0x222A36);
        cairo_move_to(cr, i + 0.5, 3);
        cairo_line_to(cr, i + 0.5, 37);
        cairo_move_to(cr, 3, i + 0.5);
        cairo_line_to(cr, 37, i + 0.5);
        cairo_stroke(cr);
        SetRgb(cr, 0x56637A, 0.6);
        cairo_move_to(cr, i + 1.5, 3);
        cairo_line_to(cr, i + 1.5, 37);
        cairo_move_to(cr, 3, i + 1.5);
        cairo_line_to(cr, 37, i + 1.5);
        cairo_stroke(cr);
    }
}

namespace {

// Glaze colours of the ceramic blocks; 30 and 31 are the two looks the levels use.
uint32_t CeramicGlaze(int code) {
    switch (code) {
        case 30:
            return 0xB8684A;  // terracotta
        case 31:
            return 0xAEB9C6;  // pale porcelain
        default:
            break;
    }
    const uint32_t glazes[] = {0xC2A77A, 0x8FA88A, 0xB98478, 0xC79A4A, 0x9488B8,
                               0x5E9E9A, 0xCFC6AE, 0xA65444, 0x9C9A62};
    return glazes[(code - 27) % 9];
}

// A chip knocked out of an edge of a ceramic block: the bare clay shows.
void CeramicChip(cairo_t* cr, int code, int i, uint32_t glaze) {
    int side = static_cast<int>(Hash01(code, i, 1) * 4);
    double along = 7 + Hash01(code, i, 2) * 24, size = 3.5 + Hash01(code, i, 3) * 4;
    double x = 0, y = 0, ux = 0, uy = 0, nx = 0, ny = 0;
    switch (side) {
        case 0:
            x = along, y = 2, ux = 1, ny = 1;
            break;
        case 1:
            x = 38, y = along, uy = 1, nx = -1;
            break;
        case 2:
            x = along, y = 38, ux = 1, ny = -1;
            break;
        default:
            x = 2, y = along, uy = 1, nx = 1;
            break;
    }
    cairo_move_to(cr, x - ux * size, y - uy * size);
    cairo_line_to(cr, x + nx * size * 0.8 - ux * size * 0.2, y + ny * size * 0.8 - uy * size * 0.2);
    cairo_line_to(cr, x + nx * size * 0.5 + ux * size * 0.7, y + ny * size * 0.5 + uy * size * 0.7);
    cairo_line_to(cr, x + ux * size * 1.1, y + uy * size * 1.1);
    cairo_close_path(cr);
    SetRgb(cr, Mix(Shade(glaze, 0.55), 0x6B4A36, 0.5));
    cairo_fill_preserve(cr);
    StrokeInk(cr, 1);
    cairo_new_path(cr);
}

// The glazed face of a ceramic block: layout 0 an inset panel, 1 four small tiles, 2 a dimple.
void CeramicFace(cairo_t* cr, int layout, uint32_t glaze) {
    cairo_set_line_width(cr, 1.2);
    if (layout == 0) {  // an inset glazed panel
        RoundedRect(cr, 9, 9, 22, 22, 3);
        SetRgb(cr, Shade(glaze, 0.7));
        cairo_stroke(cr);
        RoundedRect(cr, 10.2, 10.2, 22, 22, 3);
        SetRgb(cr, Shade(glaze, 1.35), 0.7);
        cairo_stroke(cr);
    } else if (layout == 1) {  // four small tiles
        SetRgb(cr, Shade(glaze, 0.6));
        cairo_move_to(cr, 20, 3);
        cairo_line_to(cr, 20, 37);
        cairo_move_to(cr, 3, 20);
        cairo_line_to(cr, 37, 20);
        cairo_stroke(cr);
        SetRgb(cr, Shade(glaze, 1.4), 0.7);
        cairo_move_to(cr, 21.2, 3);
        cairo_line_to(cr, 21.2, 37);
        cairo_move_to(cr, 3, 21.2);
        cairo_line_to(cr, 37, 21.2);
        cairo_stroke(cr);
    } else {  // a glossy dimple
        cairo_arc(cr, 20, 20, 7, 0, 2 * M_PI);
        SetRadial(cr, 22, 22, 9, Shade(glaze, 1.3), Shade(glaze, 0.7));
        cairo_fill(cr);
    }
}

}  // namespace

void PaintBreakableWall(cairo_t* cr, int code) {
    uint32_t glaze = CeramicGlaze(code);
    BevelPlate(cr, 0.5, 0.5, 39, 39, 5, glaze, 2.5);
    CeramicFace(cr, code % 3, glaze);
    // Gloss on the top left of the glaze.
    cairo_move_to(cr, 6, 14);
    cairo_curve_to(cr, 6, 9, 9, 6, 14, 6);
    SetRgb(cr, 0xFFFFFF, 0.55);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    int chips = 2 + static_cast<int>(Hash01(code, 7) * 2);
    for (int i = 0; i < chips; ++i) CeramicChip(cr, code, i, glaze);
    // A hairline crack from one chip into the glaze.
    double x = 10 + Hash01(code, 8) * 20, y = 30 + Hash01(code, 9) * 6;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 4 - Hash01(code, 10) * 8, y - 6);
    cairo_line_to(cr, x + 6 - Hash01(code, 11) * 12, y - 11);
    SetRgb(cr, Shade(glaze, 0.45), 0.9);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

namespace {

// Steel tints of the hard walls; 45 and 46 are the two looks the levels use.
uint32_t SteelTint(int code) {
    switch (code) {
        case 45:
            return 0x74819A;  // plain steel
        case 46:
            return 0x5C687C;  // dark gunmetal
        default:
            break;
    }
    const uint32_t tints[] = {0x8792A4, 0x6E7A8E, 0x7C8696, 0x90887A, 0x6A8090, 0x84899A};
    int i = code - 39;
    return tints[(i / 6 + i) % 6];
}

void BrushedLines(cairo_t* cr, uint32_t steel) {
    for (int y = 9; y < 33; y += 4) {
        SetRgb(cr, Shade(steel, 1.25), 0.45);
        cairo_move_to(cr, 8, y + 0.5);
        cairo_line_to(cr, 32, y + 0.5);
        cairo_stroke(cr);
    }
}

void CrossBrace(cairo_t* cr, uint32_t steel) {
    for (auto [x0, y0, x1, y1] :
         {std::array{9.0, 9.0, 31.0, 31.0}, std::array{31.0, 9.0, 9.0, 31.0}}) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        SetRgb(cr, Shade(steel, 0.55));
        cairo_set_line_width(cr, 4);
        cairo_stroke_preserve(cr);
        SetRgb(cr, Shade(steel, 1.25));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    Rivet(cr, 20, 20, 2.8);
}

void VentSlots(cairo_t* cr, uint32_t steel) {
    for (int y = 12; y <= 26; y += 7) {
        RoundedRect(cr, 10, y, 20, 3.5, 1.7);
        SetRgb(cr, 0x151B26);
        cairo_fill(cr);
        cairo_move_to(cr, 11, y + 4.3);
        cairo_line_to(cr, 29, y + 4.3);
        SetRgb(cr, Shade(steel, 1.5), 0.7);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
}

void DiamondTread(cairo_t* cr, uint32_t steel) {
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            double cx = 12 + x * 8, cy = 12 + y * 8 + (x % 2) * 2;
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, (x + y) % 2 ? M_PI / 4 : -M_PI / 4);
            RoundedRect(cr, -3.2, -1.1, 6.4, 2.2, 1);
            cairo_restore(cr);
            FillLit(cr, steel, 0.8, 0.45);
        }
}

void SteelDetail(cairo_t* cr, int detail, uint32_t steel) {
    cairo_set_line_width(cr, 1.2);
    switch (detail) {
        case 0:
            BrushedLines(cr, steel);
            break;
        case 1:
            CrossBrace(cr, steel);
            break;
        case 2:
            VentSlots(cr, steel);
            break;
        case 3:  // a raised inner plate
            BevelPlate(cr, 10, 10, 20, 20, 2, Shade(steel, 1.08), 1.6);
            break;
        case 4:
            DiamondTread(cr, steel);
            break;
        default:  // a centre bolt ring
            cairo_arc(cr, 20, 20, 7, 0, 2 * M_PI);
            SetRgb(cr, Shade(steel, 0.6));
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            Rivet(cr, 20, 20, 3.2);
            break;
    }
}

}  // namespace

void PaintHardWall(cairo_t* cr, int code) {
    uint32_t steel = SteelTint(code);
    BevelPlate(cr, 0.5, 0.5, 39, 39, 2.5, steel, 3);
    // Tint and detail together tell the variants apart (unique for codes 39 to 74).
    int detail = code == 45 ? 0 : code == 46 ? 4 : (code - 39) % 6;
    SteelDetail(cr, detail, steel);
    // Corner rivets; some variants carry two more halfway along the sides.
    for (double x : {5.5, 34.5})
        for (double y : {5.5, 34.5}) Rivet(cr, x, y, 2.1);
    if (code % 4 == 1 && code != 45) {
        Rivet(cr, 20, 5.5, 2.1);
        Rivet(cr, 20, 34.5, 2.1);
    }
}
