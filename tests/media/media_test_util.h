// Hand-built library pieces for the media tests: bitmap payloads and raw component streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dxgwriter/library_writer.h"
#include "media/byte_io.h"
#include "media/library_format.h"

// The fields of a hand-built bitmap. Pixel bytes are given exactly as stored (rows bottom row
// first, padded), so that tests state the format's bytes themselves.
struct DibFields {
    uint32_t HeaderSize = 40;
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    std::vector<uint32_t> Masks{};    // written after a 40-byte header when not empty
    std::vector<uint32_t> Palette{};  // 0x00RRGGBB; 3 bytes per entry after a 12-byte header
    Bytes Pixels{};
};

// The bitmap without a file header: header, masks, palette, pixels.
inline Bytes DibBytes(const DibFields& d) {
    ByteWriter w;
    w.U32(d.HeaderSize);
    if (d.HeaderSize == 12) {
        w.U16(static_cast<uint16_t>(d.Width));
        w.U16(static_cast<uint16_t>(d.Height));
        w.U16(1);
        w.U16(d.BitCount);
    } else {
        w.I32(d.Width);
        w.I32(d.Height);
        w.U16(1);
        w.U16(d.BitCount);
        w.U32(d.Compression);
        w.U32(static_cast<uint32_t>(d.Pixels.size()));
        w.U32(0);
        w.U32(0);
        w.U32(d.ColorsUsed);
        w.U32(0);
    }
    for (uint32_t m : d.Masks) w.U32(m);
    for (uint32_t c : d.Palette) {
        w.U8(static_cast<uint8_t>(c));
        w.U8(static_cast<uint8_t>(c >> 8));
        w.U8(static_cast<uint8_t>(c >> 16));
        if (d.HeaderSize != 12) w.U8(0);
    }
    w.Raw(d.Pixels);
    return w.Out();
}

// A "Picture.Data" payload of class "TDIB".
inline Bytes TdibPayload(const DibFields& d) {
    ByteWriter w;
    w.ShortString("TDIB");
    w.Raw(DibBytes(d));
    return w.Out();
}

// A complete bitmap file; gap bytes are left between the palette and the pixel rows.
inline Bytes BitmapFile(const DibFields& d, uint32_t gap = 0) {
    Bytes dib = DibBytes(d);
    size_t pixelStart = dib.size() - d.Pixels.size();
    ByteWriter w;
    w.Raw("BM");
    w.U32(static_cast<uint32_t>(14 + dib.size() + gap));
    w.U32(0);
    w.U32(static_cast<uint32_t>(14 + pixelStart + gap));
    w.Raw(dib.data(), pixelStart);
    for (uint32_t i = 0; i < gap; ++i) w.U8(0xEE);
    w.Raw(d.Pixels);
    return w.Out();
}

// A "Picture.Data" payload of class "TBitmap" around a bitmap file.
inline Bytes TBitmapPayload(const Bytes& bitmapFile) {
    ByteWriter w;
    w.ShortString("TBitmap");
    w.U32(static_cast<uint32_t>(bitmapFile.size()));
    w.Raw(bitmapFile);
    return w.Out();
}

// A library of one picture named "logo" with the given payload, in a file named "meniu.dxg".
inline Bytes OnePictureLibrary(const Bytes& payload) {
    RawPictureItem item;
    item.Properties.Name = "logo";
    item.PictureDataPayload = payload;
    return WritePictureLibraryRaw({item});
}

inline PictureData ReadOnePicture(const Bytes& payload) {
    return ReadPictureLibrary(OnePictureLibrary(payload), "meniu.dxg").Pictures.at(0);
}

// The resource entry header in front of a hand-built component stream.
inline Bytes WithResourceHeader(const Bytes& stream, const std::string& name = "TEST") {
    ByteWriter w;
    w.U8(0xFF);
    w.U16(10);
    w.Raw(name);
    w.U8(0);
    w.U16(0x1030);
    w.U32(static_cast<uint32_t>(stream.size()));
    w.Raw(stream);
    return w.Out();
}

// Opens a picture library stream up to the first item's property list ("TPF0", root, "List",
// collection tag, list tag); the test appends properties and calls ClosePictureStream.
inline ByteWriter OpenPictureStream() {
    ByteWriter w;
    w.Raw("TPF0");
    w.ShortString("TPictureCollectionComponent");
    w.ShortString("");
    w.ShortString("List");
    w.U8(14);
    w.U8(1);
    return w;
}

inline Bytes ClosePictureStream(ByteWriter& w) {
    w.U8(0);  // end of the item
    w.U8(0);  // end of the collection
    w.U8(0);  // end of the root's properties
    w.U8(0);  // end of its children
    return WithResourceHeader(w.Out());
}

// A solid-coloured 24-bit picture (0x00RRGGBB), or one coloured by a function of (x, y).
template <typename ColorAt>
PictureData MakePicture(const std::string& name, int width, int height, ColorAt colorAt) {
    PictureData p;
    p.Name = name;
    p.Width = width;
    p.Height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.Rgb.push_back(colorAt(x, y));
    return p;
}
