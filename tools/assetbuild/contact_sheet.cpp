// A PNG contact sheet of a picture library: every picture with its index and name, its patterns
// laid out one pixel apart with the pattern grid outlined, on a neutral grey background.
#include "assetbuild/contact_sheet.h"

#include <cairo.h>

#include <algorithm>
#include <stdexcept>

#include "media/surface.h"

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 14;
constexpr int kLabelHeight = 15;
constexpr int kSheetWidth = 1360;

struct Placed {
    const PictureData* picture;
    int x, y;           // top-left corner of the first pattern
    int columns, rows;  // pattern grid
    int patternW, patternH;
};

int PatternSize(int size, int pattern) {
    return pattern > 0 ? pattern : size;
}

// The pattern grid as the game cuts it (no skips in our libraries, but honour them anyway).
void PatternGrid(const PictureData& p, int& columns, int& rows) {
    int pw = PatternSize(p.Width, p.PatternWidth), ph = PatternSize(p.Height, p.PatternHeight);
    columns = std::max(1, (p.Width + p.SkipWidth) / (pw + p.SkipWidth));
    rows = std::max(1, (p.Height + p.SkipHeight) / (ph + p.SkipHeight));
}

std::string Label(size_t index, const PictureData& p, int columns, int rows) {
    std::string s = std::to_string(index) + " " + p.Name;
    if (columns * rows > 1) s += " x" + std::to_string(columns * rows);
    return s;
}

// Flows the pictures into rows of the sheet; returns the sheet's height.
int Layout(const std::vector<PictureData>& pictures, std::vector<Placed>& placed,
           cairo_t* measure) {
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const PictureData& p = pictures[i];
        Placed pl{&p, 0, 0, 1, 1, 0, 0};
        PatternGrid(p, pl.columns, pl.rows);
        pl.patternW = PatternSize(p.Width, p.PatternWidth);
        pl.patternH = PatternSize(p.Height, p.PatternHeight);
        int w = pl.columns * (pl.patternW + 1) + 1, h = pl.rows * (pl.patternH + 1) + 1;
        cairo_text_extents_t ext;
        std::string label = Label(i, p, pl.columns, pl.rows);
        cairo_text_extents(measure, label.c_str(), &ext);
        int cellW = std::max(w, static_cast<int>(ext.x_advance) + 2);
        if (x > kMargin && x + cellW > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        pl.x = x;
        pl.y = y + kLabelHeight;
        placed.push_back(pl);
        x += cellW + kGap;
        rowHeight = std::max(rowHeight, h + kLabelHeight);
    }
    return y + rowHeight + kMargin;
}

// One pattern's pixels as a cairo surface; the colour key becomes fully transparent.
cairo_surface_t* PatternSurface(const Placed& pl, int column, int row) {
    const PictureData& p = *pl.picture;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pl.patternW, pl.patternH);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    uint16_t key = ColorRefTo565(p.TransparentColor);
    int x0 = column * (pl.patternW + p.SkipWidth), y0 = row * (pl.patternH + p.SkipHeight);
    for (int y = 0; y < pl.patternH; ++y) {
        uint32_t* out = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < pl.patternW; ++x) {
            int sx = x0 + x, sy = y0 + y;
            if (sx >= p.Width || sy >= p.Height) {
                out[x] = 0;
                continue;
            }
            uint32_t rgb = p.Rgb[static_cast<size_t>(sy) * p.Width + sx];
            out[x] = p.Transparent && RgbTo565(rgb) == key ? 0 : 0xFF000000 | rgb;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

void DrawPlaced(cairo_t* cr, const Placed& pl, size_t index) {
    const PictureData& p = *pl.picture;
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.08);
    cairo_move_to(cr, pl.x, pl.y - 4);
    cairo_show_text(cr, Label(index, p, pl.columns, pl.rows).c_str());
    if (p.Width <= 0 || p.Height <= 0 || p.Rgb.size() != static_cast<size_t>(p.Width) * p.Height)
        return;
    for (int row = 0; row < pl.rows; ++row)
        for (int column = 0; column < pl.columns; ++column) {
            int x = pl.x + 1 + column * (pl.patternW + 1), y = pl.y + 1 + row * (pl.patternH + 1);
            cairo_surface_t* s = PatternSurface(pl, column, row);
            cairo_set_source_surface(cr, s, x, y);
            cairo_paint(cr);
            cairo_surface_destroy(s);
            cairo_rectangle(cr, x - 0.5, y - 0.5, pl.patternW + 1, pl.patternH + 1);
        }
    cairo_set_source_rgb(cr, 0.95, 0.85, 0.2);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

}  // namespace

void WriteContactSheet(const std::string& path, const std::vector<PictureData>& pictures) {
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* measure = cairo_create(probe);
    cairo_select_font_face(measure, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(measure, 11);
    std::vector<Placed> placed;
    int height = Layout(pictures, placed, measure);
    cairo_destroy(measure);
    cairo_surface_destroy(probe);

    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.5, 0.5, 0.52);
    cairo_paint(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    for (size_t i = 0; i < placed.size(); ++i) DrawPlaced(cr, placed[i], i);
    cairo_destroy(cr);
    cairo_status_t status = cairo_surface_write_to_png(sheet, path.c_str());
    cairo_surface_destroy(sheet);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(path + ": cannot write the contact sheet (" +
                                 cairo_status_to_string(status) + ")");
}
