// Decoder of picture payloads: device-independent bitmaps ("TDIB") and bitmap files ("TBitmap").
#include "media/dib_decoder.h"

#include <array>

#include "media/dib_rows.h"

namespace {

const char kDibInvalid[] = "DIB is invalid";

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

[[noreturn]] void Fail(const std::string& where, const std::string& problem) {
    throw FileError(where + ": " + problem);
}

// The header fields the decoder uses. A bitmap file may carry the larger version 4 and 5
// headers (their masks sit inside the header); a "TDIB" payload only the 40- and 12-byte ones.
struct DibHeader {
    uint32_t Size = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = kRgb;
    uint32_t ColorsUsed = 0;
    bool HeaderMasks = false;  // masks read from inside a version 4/5 header
    std::array<uint32_t, 3> Masks{};
};

bool AcceptedHeaderSize(uint32_t size, bool fileBitmap) {
    if (size == 40 || size == 12) return true;
    return fileBitmap && (size == 52 || size == 56 || size == 108 || size == 124);
}

// fileBitmap: the header comes from a complete bitmap file, where a negative height means rows
// stored top row first. In a "TDIB" payload a negative height is simply taken by its absolute
// value and rows are always stored bottom row first.
DibHeader ReadHeader(ByteReader& in, const std::string& where, bool fileBitmap) {
    DibHeader h;
    if (in.Remaining() < 4) Fail(where, kDibInvalid);
    h.Size = in.U32("DIB header");
    if (!AcceptedHeaderSize(h.Size, fileBitmap) || in.Remaining() < h.Size - 4)
        Fail(where, kDibInvalid);
    if (h.Size == 12) {
        h.Width = in.U16("DIB header");
        h.Height = in.U16("DIB header");
        in.U16("DIB header");  // planes
        h.BitCount = in.U16("DIB header");
        return h;
    }
    h.Width = in.I32("DIB header");
    h.Height = in.I32("DIB header");
    in.U16("DIB header");  // planes
    h.BitCount = in.U16("DIB header");
    h.Compression = in.U32("DIB header");
    in.Skip(12, "DIB header");  // image size, resolutions
    h.ColorsUsed = in.U32("DIB header");
    in.U32("DIB header");  // colours important
    if (h.Size >= 52) {
        for (uint32_t& mask : h.Masks) mask = in.U32("DIB header");
        h.HeaderMasks = true;
        in.Skip(h.Size - 52, "DIB header");
    }
    if (h.Height < 0) {
        h.Height = -h.Height;
        h.TopDown = fileBitmap;
    }
    return h;
}

void CheckFormat(const DibHeader& h, const std::string& where) {
    switch (h.BitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            Fail(where, "Bitcount in invalid (" + std::to_string(h.BitCount) + ")");
    }
    bool fits = (h.Compression == kRgb) || (h.Compression == kRle8 && h.BitCount == 8) ||
                (h.Compression == kRle4 && h.BitCount == 4) ||
                (h.Compression == kBitFields && (h.BitCount == 16 || h.BitCount == 32));
    if (!fits || h.Width < 0) Fail(where, kDibInvalid);
}

// The channel masks (red, green, blue) of a 16- or 32-bit picture.
std::array<uint32_t, 3> ReadMasks(ByteReader& in, const DibHeader& h, const std::string& where) {
    std::array<uint32_t, 3> masks = h.BitCount == 16
                                        ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                        : std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    if (h.Compression == kBitFields) {
        if (h.HeaderMasks) {
            masks = h.Masks;
        } else {
            if (in.Remaining() < 12) Fail(where, kDibInvalid);
            for (uint32_t& mask : masks) mask = in.U32("DIB channel masks");
        }
    }
    if (h.BitCount == 16) {
        bool is555 = masks == std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
        bool is565 = masks == std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F};
        if (!is555 && !is565) Fail(where, "PixelFormat in invalid");
    }
    return masks;
}

// Colours used entries, or 2^bit count when none are given for 8 bits or less; at most 256.
// Entries not present in the file stay black.
DibPalette ReadPalette(ByteReader& in, const DibHeader& h) {
    DibPalette palette{};
    uint32_t count = h.ColorsUsed;
    if (count == 0 && h.BitCount <= 8) count = 1u << h.BitCount;
    if (count > 256) count = 256;
    size_t entry = h.Size == 12 ? 3 : 4;
    const uint8_t* p = in.Take(count * entry, "DIB palette");
    for (uint32_t i = 0; i < count; ++i, p += entry)
        palette[i] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    return palette;
}

DecodedPicture DecodeDib(ByteReader& in, const std::string& where, bool fileBitmap,
                         size_t pixelOffset, int64_t maxPixels) {
    DibHeader h = ReadHeader(in, where, fileBitmap);
    CheckFormat(h, where);
    std::array<uint32_t, 3> masks{};
    if (h.BitCount >= 16) masks = ReadMasks(in, h, where);
    DibPalette palette = ReadPalette(in, h);
    DecodedPicture picture;
    if (h.Width == 0 || h.Height == 0) return picture;
    if (h.Width * h.Height > maxPixels)
        Fail(where, "picture of " + std::to_string(h.Width) + " x " + std::to_string(h.Height) +
                        " pixels is too large (at most " + std::to_string(maxPixels) + ")");
    if (pixelOffset != 0) {
        if (pixelOffset < in.Position() || pixelOffset > in.Size()) Fail(where, kDibInvalid);
        in.Seek(pixelOffset, "DIB pixel rows");
    }
    DibLayout layout{static_cast<int>(h.Width), static_cast<int>(h.Height), h.BitCount, !h.TopDown};
    picture.Width = layout.Width;
    picture.Height = layout.Height;
    if (h.Compression == kRle8 || h.Compression == kRle4) {
        picture.Rgb = DecodeRle(in, layout, palette, h.Compression == kRle4);
    } else {
        picture.Rgb = DecodeRows(in, layout, palette, masks, where);
    }
    return picture;
}

// A complete bitmap file: the 14-byte file header ("BM", file size, reserved, offset of the
// pixel rows from the start of the file), then the bitmap.
DecodedPicture DecodeBitmapFile(const Bytes& file, ByteReader& in, const std::string& where,
                                int64_t maxPixels) {
    uint32_t count = in.U32("bitmap size");
    if (count == 0) return {};
    in.Need(count, "bitmap file");
    size_t begin = in.Position();
    ByteReader bitmap(file.data(), begin + count, where);
    bitmap.Seek(begin, "bitmap file");
    if (count < 14 || file[begin] != 'B' || file[begin + 1] != 'M') Fail(where, kDibInvalid);
    bitmap.Skip(10, "bitmap file header");
    uint32_t offBits = bitmap.U32("bitmap file header");
    // An offset of 0 is written by some tools; the rows then follow the palette.
    size_t pixelOffset = offBits == 0 ? 0 : begin + offBits;
    if (offBits != 0 && offBits > count) Fail(where, kDibInvalid);
    return DecodeDib(bitmap, where, true, pixelOffset, maxPixels);
}

}  // namespace

DecodedPicture DecodePicturePayload(const Bytes& file, ByteRange range, const std::string& where,
                                    int64_t maxPixels) {
    if (range.Size() == 0) return {};
    ByteReader in(file.data(), range.End, where);
    in.Seek(range.Begin, "picture payload");
    std::string className = in.ShortString("picture class name");
    if (className.empty()) return {};
    // Class names, like property names, compare without regard to letter case.
    if (SameName(className, "TDIB")) {
        if (in.Remaining() == 0) return {};
        return DecodeDib(in, where, false, 0, maxPixels);
    }
    if (SameName(className, "TBitmap")) return DecodeBitmapFile(file, in, where, maxPixels);
    Fail(where, "picture class '" + className + "' is not supported");
}
