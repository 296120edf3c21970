// Tests of the picture payloads: every bit count, palettes, masks, RLE, core headers, bitmap files.
#include <gtest/gtest.h>

#include "media/media_test_util.h"

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::vector<uint32_t> Pixels(const Bytes& payload) {
    return ReadOnePicture(payload).Rgb;
}

std::string ErrorOf(const Bytes& payload) {
    try {
        ReadOnePicture(payload);
    } catch (const FileError& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(DibPalettes, OneBitRowsArePaddedAndStoredBottomUp) {
    // 10 x 2: each row takes 2 bytes of bits padded to 4; the bottom row comes first.
    DibFields d{.Width = 10,
                .Height = 2,
                .BitCount = 1,
                .Palette = {kRed, kBlue},
                .Pixels = Bytes{0b10000000, 0b01000000, 0, 0, 0b00000000, 0b11000000, 0, 0}};
    PictureData p = ReadOnePicture(TdibPayload(d));
    ASSERT_EQ(p.Width, 10);
    ASSERT_EQ(p.Height, 2);
    std::vector<uint32_t> top(10, kRed), bottom(10, kRed);
    top[8] = top[9] = kBlue;
    bottom[0] = bottom[9] = kBlue;
    EXPECT_EQ(std::vector<uint32_t>(p.Rgb.begin(), p.Rgb.begin() + 10), top);
    EXPECT_EQ(std::vector<uint32_t>(p.Rgb.begin() + 10, p.Rgb.end()), bottom);
}

TEST(DibPalettes, FourAndEightBitIndexes) {
    std::vector<uint32_t> palette16;
    for (uint32_t i = 0; i < 16; ++i) palette16.push_back(i * 0x111111);
    DibFields four{.Width = 3,
                   .Height = 1,
                   .BitCount = 4,
                   .Palette = palette16,
                   .Pixels = Bytes{0x1F, 0x70, 0, 0}};
    EXPECT_EQ(Pixels(TdibPayload(four)), (std::vector<uint32_t>{0x111111, 0xFFFFFF, 0x777777}));
    // Colours used 2: indexes past the palette are black.
    DibFields eight{.Width = 3,
                    .Height = 1,
                    .BitCount = 8,
                    .ColorsUsed = 2,
                    .Palette = {kRed, kGreen},
                    .Pixels = Bytes{1, 0, 200, 0}};
    EXPECT_EQ(Pixels(TdibPayload(eight)), (std::vector<uint32_t>{kGreen, kRed, 0}));
}

TEST(DibPalettes, CoreHeaderReadsThreeBytePaletteEntries) {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = (i << 16) | ((255 - i) << 8) | (i / 2);
    DibFields d{.HeaderSize = 12,
                .Width = 2,
                .Height = 2,
                .BitCount = 8,
                .Palette = palette,
                .Pixels = Bytes{0, 255, 0, 0, 128, 1, 0, 0}};
    EXPECT_EQ(Pixels(TdibPayload(d)),
              (std::vector<uint32_t>{palette[128], palette[1], palette[0], palette[255]}));
    DibFields mono{.HeaderSize = 12,
                   .Width = 2,
                   .Height = 1,
                   .BitCount = 1,
                   .Palette = {kWhite, kBlue},
                   .Pixels = Bytes{0x40, 0, 0, 0}};
    EXPECT_EQ(Pixels(TdibPayload(mono)), (std::vector<uint32_t>{kWhite, kBlue}));
}

TEST(DibMasks, SixteenBitLayouts) {
    // 0x7C00 red in 5-5-5 (no masks), 0xF800 red in 5-6-5, 0x07E0 green in 5-6-5.
    DibFields plain{
        .Width = 2, .Height = 1, .BitCount = 16, .Pixels = Bytes{0x00, 0x7C, 0x1F, 0x00}};
    EXPECT_EQ(Pixels(TdibPayload(plain)), (std::vector<uint32_t>{kRed, kBlue}));
    DibFields with565{.Width = 2,
                      .Height = 1,
                      .BitCount = 16,
                      .Compression = 3,
                      .Masks = {0xF800, 0x07E0, 0x001F},
                      .Pixels = Bytes{0x00, 0xF8, 0xE0, 0x07}};
    EXPECT_EQ(Pixels(TdibPayload(with565)), (std::vector<uint32_t>{kRed, kGreen}));
    DibFields with555{.Width = 1,
                      .Height = 1,
                      .BitCount = 16,
                      .Compression = 3,
                      .Masks = {0x7C00, 0x03E0, 0x001F},
                      .Pixels = Bytes{0x10, 0x42, 0, 0}};
    EXPECT_EQ(Pixels(TdibPayload(with555)), (std::vector<uint32_t>{0x848484}));
    for (std::vector<uint32_t> bad : {std::vector<uint32_t>{0x001F, 0x07E0, 0xF800},
                                      std::vector<uint32_t>{0xFF0000, 0xFF00, 0xFF}}) {
        DibFields d = with565;
        d.Masks = bad;
        EXPECT_EQ(ErrorOf(TdibPayload(d)), "meniu.dxg: picture 'logo': PixelFormat in invalid");
    }
}

TEST(DibMasks, ThirtyTwoBitPixels) {
    DibFields plain{.Width = 2,
                    .Height = 1,
                    .BitCount = 32,
                    .Pixels = Bytes{0x30, 0x20, 0x10, 0xFF, 0xFF, 0, 0, 0}};
    EXPECT_EQ(Pixels(TdibPayload(plain)), (std::vector<uint32_t>{0x102030, kBlue}));
    // Masks in the other order: the lowest byte is red.
    DibFields swapped{.Width = 1,
                      .Height = 1,
                      .BitCount = 32,
                      .Compression = 3,
                      .Masks = {0xFF, 0xFF00, 0xFF0000},
                      .Pixels = Bytes{0x30, 0x20, 0x10, 0}};
    EXPECT_EQ(Pixels(TdibPayload(swapped)), (std::vector<uint32_t>{0x302010}));
}

TEST(DibRle, Rle8RunsLiteralsLineEndsAndDelta) {
    // 4 x 3, bottom row first: row 0 = run of 3 x index 1 then end of line;
    // row 1 = literal 2,3,1 (odd count, padded) + end of line; delta (2, 0) on row 2; one 2; end.
    DibFields d{.Width = 4,
                .Height = 3,
                .BitCount = 8,
                .Compression = 1,
                .ColorsUsed = 4,
                .Palette = {0, kRed, kGreen, kBlue},
                .Pixels = Bytes{3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1}};
    std::vector<uint32_t> expected{0,      0,     kGreen, 0,   // top row (stored last)
                                   kGreen, kBlue, kRed,   0,   // middle
                                   kRed,   kRed,  kRed,   0};  // bottom
    EXPECT_EQ(Pixels(TdibPayload(d)), expected);
}

TEST(DibRle, Rle4AlternatesNibbles) {
    // 5 x 2: bottom row = run of 5 alternating 1/2; top row = literal 3,0,1 (2 bytes) then end.
    DibFields d{.Width = 5,
                .Height = 2,
                .BitCount = 4,
                .Compression = 2,
                .ColorsUsed = 4,
                .Palette = {0, kRed, kGreen, kBlue},
                .Pixels = Bytes{5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 1}};
    std::vector<uint32_t> expected{kBlue, 0, kRed, 0, 0, kRed, kGreen, kRed, kGreen, kRed};
    EXPECT_EQ(Pixels(TdibPayload(d)), expected);
    // Runs past the row end and data without an end mark stay inside the picture.
    DibFields wild{.Width = 2,
                   .Height = 1,
                   .BitCount = 8,
                   .Compression = 1,
                   .ColorsUsed = 2,
                   .Palette = {kRed, kBlue},
                   .Pixels = Bytes{255, 1, 0, 2, 255, 255, 9, 1}};
    EXPECT_EQ(Pixels(TdibPayload(wild)), (std::vector<uint32_t>{kBlue, kBlue}));
}

TEST(DibHeaders, NegativeHeightCountsByItsSize) {
    DibFields up{.Width = 1, .Height = 2, .Pixels = Bytes{0xFF, 0, 0, 0, 0, 0, 0xFF, 0}};
    DibFields down = up;
    down.Height = -2;
    EXPECT_EQ(Pixels(TdibPayload(up)), (std::vector<uint32_t>{kRed, kBlue}));
    EXPECT_EQ(Pixels(TdibPayload(down)), Pixels(TdibPayload(up)));
}

TEST(DibHeaders, EmptyPayloadsGiveNoPicture) {
    for (const Bytes& payload :
         {Bytes{}, Bytes{4, 'T', 'D', 'I', 'B'}, Bytes{0}, TBitmapPayload(Bytes{}),
          TdibPayload(DibFields{.Width = 0, .Height = 5})}) {
        PictureData p = ReadOnePicture(payload);
        EXPECT_EQ(p.Width, 0);
        EXPECT_EQ(p.Height, 0);
        EXPECT_TRUE(p.Rgb.empty());
    }
}

TEST(DibHeaders, BadHeadersAndPayloads) {
    const std::string where = "meniu.dxg: picture 'logo': ";
    EXPECT_EQ(ErrorOf(Bytes{4, 'T', 'D', 'I', 'B', 40, 0}), where + "DIB is invalid");
    EXPECT_EQ(ErrorOf(Bytes{4, 'T', 'D', 'I', 'B', 40, 0, 0, 0, 1, 0}), where + "DIB is invalid");
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.HeaderSize = 108, .Width = 1, .Height = 1})),
              where + "DIB is invalid");  // only bitmap files carry the larger headers
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.Width = 1, .Height = 1, .BitCount = 0})),
              where + "Bitcount in invalid (0)");
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.Width = -1, .Height = 1, .Pixels = Bytes(4)})),
              where + "DIB is invalid");
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.Width = 1, .Height = 1, .Compression = 1})),
              where + "DIB is invalid");  // RLE8 needs 8 bits
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.Width = 1, .Height = 1, .Compression = 4})),
              where + "DIB is invalid");
    EXPECT_EQ(ErrorOf(TdibPayload(DibFields{.Width = 2, .Height = 2, .Pixels = Bytes(12)})),
              where + "pixel rows need 16 bytes, only 12 remain");
    EXPECT_EQ(ErrorOf(Bytes{10, 'T', 'J', 'P', 'E', 'G', 'I', 'm', 'a', 'g', 'e'}),
              where + "picture class 'TJPEGImage' is not supported");
}

TEST(BitmapFiles, CompleteBitmapFilesInsideTBitmap) {
    DibFields d{.Width = 2,
                .Height = 2,
                .Pixels = Bytes{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0}};
    std::vector<uint32_t> expected{kBlue, kGreen, kRed, kWhite};
    EXPECT_EQ(Pixels(TdibPayload(d)), expected);
    EXPECT_EQ(Pixels(TBitmapPayload(BitmapFile(d))), expected);
    EXPECT_EQ(Pixels(TBitmapPayload(BitmapFile(d, 6))), expected);  // rows found by their offset
    // In a bitmap file a negative height means the top row comes first.
    DibFields topDown = d;
    topDown.Height = -2;
    EXPECT_EQ(Pixels(TBitmapPayload(BitmapFile(topDown))),
              (std::vector<uint32_t>{kRed, kWhite, kBlue, kGreen}));
    Bytes notBm = BitmapFile(d);
    notBm[0] = 'X';
    EXPECT_EQ(ErrorOf(TBitmapPayload(notBm)), "meniu.dxg: picture 'logo': DIB is invalid");
    Bytes offsetOutside = BitmapFile(d);
    offsetOutside[10] = 200;
    EXPECT_EQ(ErrorOf(TBitmapPayload(offsetOutside)), "meniu.dxg: picture 'logo': DIB is invalid");
}

TEST(BitmapFiles, VersionFiveHeaderWithMasksInside) {
    ByteWriter w;
    w.Raw("BM");
    w.U32(14 + 124 + 4);
    w.U32(0);
    w.U32(14 + 124);
    w.U32(124);
    w.I32(1);
    w.I32(1);
    w.U16(1);
    w.U16(16);
    w.U32(3);
    w.Raw(Bytes(20, 0));
    w.U32(0xF800);
    w.U32(0x07E0);
    w.U32(0x001F);
    w.Raw(Bytes(124 - 52, 0));
    w.Raw(Bytes{0xE0, 0x07, 0, 0});
    EXPECT_EQ(Pixels(TBitmapPayload(w.Out())), (std::vector<uint32_t>{kGreen}));
}
