// Writes 24-bit PNG images with libpng, into memory first and then through the crash-safe writer.
#include "dxgwriter/png_writer.h"

#include <png.h>

#include <stdexcept>

#include "media/byte_io.h"
#include "store/atomic_write.h"

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    Bytes& out = *static_cast<Bytes*>(png_get_io_ptr(png));
    out.insert(out.end(), data, data + length);
}

void NoFlush(png_structp) {}

Bytes EncodePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgb) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error(path + ": cannot make the PNG image");
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t c = rgb[static_cast<size_t>(y) * width + x];
            row[x * 3] = static_cast<png_byte>(c >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(c >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgb) {
    WriteFileAtomically(path, EncodePng(path, width, height, rgb));
}

void WritePng(const std::string& path, const Surface& surface) {
    std::vector<uint32_t> rgb(surface.Pixels.size());
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = Rgb565ToRgb(surface.Pixels[i]);
    WritePng(path, surface.Width, surface.Height, rgb);
}
