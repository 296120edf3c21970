// Pixel rows of a device-independent bitmap: uncompressed rows of every bit count, RLE8 and RLE4.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"

// 256 palette colours, 0x00RRGGBB; entries the file does not give are black.
using DibPalette = std::array<uint32_t, 256>;

struct DibLayout {
    int Width = 0;   // above 0
    int Height = 0;  // above 0
    int BitCount = 0;
    bool BottomUp = true;  // rows stored bottom row first
};

// Uncompressed rows, each padded to a multiple of 4 bytes. masks (red, green, blue) apply to 16
// and 32 bits. Throws FileError "<where>: ..." when the payload is shorter than the rows.
std::vector<uint32_t> DecodeRows(ByteReader& in, const DibLayout& layout, const DibPalette& palette,
                                 const std::array<uint32_t, 3>& masks, const std::string& where);

// RLE8 (four = false) or RLE4 data. Pixels the data never reaches keep palette colour 0; data
// that ends without its end-of-bitmap mark ends the picture there.
std::vector<uint32_t> DecodeRle(ByteReader& in, const DibLayout& layout, const DibPalette& palette,
                                bool four);
