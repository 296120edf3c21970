// Pixel rows of a device-independent bitmap: uncompressed rows of every bit count, RLE8 and RLE4.
#include "media/dib_rows.h"

#include <bit>

namespace {

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;  // the channel's largest value after shifting

    explicit Channel(uint32_t mask) : Mask(mask) {
        if (mask == 0) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    uint32_t Value(uint32_t pixel) const {
        if (Max == 0) return 0;
        uint64_t v = (pixel & Mask) >> Shift;
        return static_cast<uint32_t>((v * 255 + Max / 2) / Max);
    }
};

struct Channels {
    Channel Red, Green, Blue;
    uint32_t Rgb(uint32_t pixel) const {
        return (Red.Value(pixel) << 16) | (Green.Value(pixel) << 8) | Blue.Value(pixel);
    }
};

void DecodeRow(const uint8_t* src, const DibLayout& layout, const DibPalette& palette,
               const Channels& channels, uint32_t* dst) {
    const int w = layout.Width;
    switch (layout.BitCount) {
        case 1:
            for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
            break;
        case 16:
            for (int x = 0; x < w; ++x) dst[x] = channels.Rgb(src[2 * x] | (src[2 * x + 1] << 8));
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
            break;
        default:  // 32
            for (int x = 0; x < w; ++x, src += 4) {
                uint32_t p = src[0] | (src[1] << 8) | (src[2] << 16) | (uint32_t{src[3]} << 24);
                dst[x] = channels.Rgb(p);
            }
            break;
    }
}

}  // namespace

std::vector<uint32_t> DecodeRows(ByteReader& in, const DibLayout& layout, const DibPalette& palette,
                                 const std::array<uint32_t, 3>& masks, const std::string& where) {
    const uint64_t stride = (static_cast<uint64_t>(layout.BitCount) * layout.Width + 31) / 32 * 4;
    const uint64_t total = stride * static_cast<uint64_t>(layout.Height);
    if (total > in.Remaining())
        throw FileError(where + ": pixel rows need " + std::to_string(total) + " bytes, only " +
                        std::to_string(in.Remaining()) + " remain");
    const uint8_t* src = in.Take(static_cast<size_t>(total), "DIB pixel rows");
    Channels channels{Channel(masks[0]), Channel(masks[1]), Channel(masks[2])};
    std::vector<uint32_t> rgb(static_cast<size_t>(layout.Width) * layout.Height);
    for (int r = 0; r < layout.Height; ++r, src += stride) {
        int y = layout.BottomUp ? layout.Height - 1 - r : r;
        DecodeRow(src, layout, palette, channels,
                  rgb.data() + static_cast<size_t>(y) * layout.Width);
    }
    return rgb;
}

namespace {

// The cursor of the RLE decoder; x and y count from the first stored row.
class RleCanvas {
  public:
    RleCanvas(const DibLayout& layout, const DibPalette& palette, std::vector<uint32_t>& rgb)
        : layout_(layout), palette_(palette), rgb_(rgb) {}

    bool Done() const { return y_ >= layout_.Height; }
    void Put(uint8_t index) {
        if (x_ >= layout_.Width || Done()) return;
        int row = layout_.BottomUp ? layout_.Height - 1 - y_ : y_;
        rgb_[static_cast<size_t>(row) * layout_.Width + x_] = palette_[index];
        ++x_;
    }
    void EndOfLine() {
        x_ = 0;
        ++y_;
    }
    void Move(int dx, int dy) {
        x_ = x_ + dx < layout_.Width ? x_ + dx : layout_.Width;
        y_ += dy;
    }

  private:
    const DibLayout& layout_;
    const DibPalette& palette_;
    std::vector<uint32_t>& rgb_;
    int x_ = 0;
    int y_ = 0;
};

uint8_t Nibble(const uint8_t* bytes, int i) {
    return (i & 1) ? (bytes[i >> 1] & 15) : (bytes[i >> 1] >> 4);
}

}  // namespace

std::vector<uint32_t> DecodeRle(ByteReader& in, const DibLayout& layout, const DibPalette& palette,
                                bool four) {
    std::vector<uint32_t> rgb(static_cast<size_t>(layout.Width) * layout.Height, palette[0]);
    RleCanvas canvas(layout, palette, rgb);
    while (in.Remaining() >= 2 && !canvas.Done()) {
        uint8_t count = in.U8("RLE data");
        uint8_t value = in.U8("RLE data");
        if (count > 0) {  // a run of one index (RLE4: two alternating indexes)
            for (int i = 0; i < count; ++i)
                canvas.Put(four ? ((i & 1) ? (value & 15) : (value >> 4)) : value);
        } else if (value == 0) {
            canvas.EndOfLine();
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            uint8_t dx = in.U8("RLE delta");
            uint8_t dy = in.U8("RLE delta");
            canvas.Move(dx, dy);
        } else {  // absolute mode: `value` literal indexes, padded to a 16-bit boundary
            size_t bytes = four ? (value + 1u) / 2 : value;
            const uint8_t* literal = in.Take(bytes, "RLE literal run");
            for (int i = 0; i < value; ++i) canvas.Put(four ? Nibble(literal, i) : literal[i]);
            if ((bytes & 1) && in.Remaining() > 0) in.Skip(1, "RLE padding");
        }
    }
    return rgb;
}
