// Tests of pictures and image lists: pattern cutting, clipped colour-keyed drawing, blending,
// lookup by name and position.
#include "media/picture.h"

#include <gtest/gtest.h>

#include <climits>

#include "media/media_test_util.h"
#include "store/atomic_write.h"
#include "support/test_support.h"

namespace {

const uint16_t kBackground = 0xAAAA;

// Pixel (x, y) of a w-wide test picture has the 565 value 1 + x + y * w (never 0, the default key).
uint16_t Code(int x, int y, int w) {
    return static_cast<uint16_t>(1 + x + y * w);
}

PictureData CodedPicture(const std::string& name, int w, int h) {
    return MakePicture(name, w, h, [w](int x, int y) { return Rgb565ToRgb(Code(x, y, w)); });
}

PictureData Tiles(int w, int h, int pw, int ph, int sw = 0, int sh = 0) {
    PictureData p = CodedPicture("tiles", w, h);
    p.PatternWidth = pw;
    p.PatternHeight = ph;
    p.SkipWidth = sw;
    p.SkipHeight = sh;
    return p;
}

// Checks every pixel of dest after drawing `pattern` at (x, y) on a background-filled surface.
void ExpectDrawn(const Picture& pic, int pattern, int x, int y) {
    Surface dest(10, 8);
    std::fill(dest.Pixels.begin(), dest.Pixels.end(), kBackground);
    pic.DrawPattern(dest, x, y, pattern);
    for (int dy = 0; dy < dest.Height; ++dy) {
        for (int dx = 0; dx < dest.Width; ++dx) {
            int px = dx - x, py = dy - y;
            bool inside =
                px >= 0 && py >= 0 && px < pic.PatternPixelWidth() && py < pic.PatternPixelHeight();
            uint16_t expected =
                inside && !pic.IsKey(pattern, px, py) ? pic.PixelAt(pattern, px, py) : kBackground;
            ASSERT_EQ(dest.At(dx, dy), expected) << "pattern " << pattern << " at (" << x << ", "
                                                 << y << "), pixel (" << dx << ", " << dy << ")";
        }
    }
}

}  // namespace

TEST(PatternCutting, LeftoverPixelsBelongToNoPattern) {
    Picture pic(Tiles(168, 40, 40, 0));
    EXPECT_EQ(pic.PatternCount(), 4);
    EXPECT_EQ(pic.PatternPixelWidth(), 40);
    EXPECT_EQ(pic.PatternPixelHeight(), 40);
    EXPECT_EQ(pic.PixelAt(3, 0, 0), Code(120, 0, 168));
    EXPECT_EQ(pic.PixelAt(3, 39, 39), Code(159, 39, 168));
    EXPECT_THROW(pic.PixelAt(3, 40, 0), std::out_of_range);
}

TEST(PatternCutting, ZeroSizesGiveTheWholePicture) {
    Picture pic(Tiles(30, 20, 0, 0, 5, 5));
    EXPECT_EQ(pic.PatternCount(), 1);
    EXPECT_EQ(pic.PatternPixelWidth(), 30);
    EXPECT_EQ(pic.PatternPixelHeight(), 20);
    EXPECT_EQ(pic.PixelAt(0, 29, 19), Code(29, 19, 30));
    EXPECT_EQ(Picture(Tiles(30, 20, -4, -1)).PatternCount(), 1);
}

TEST(PatternCutting, SkipSizesLeaveGapsBetweenPatterns) {
    // (34 + 2) / (10 + 2) = 3 columns, (23 + 3) / (10 + 3) = 2 rows.
    Picture pic(Tiles(34, 23, 10, 10, 2, 3));
    EXPECT_EQ(pic.PatternCount(), 6);
    EXPECT_EQ(pic.SkipWidth(), 2);
    EXPECT_EQ(pic.SkipHeight(), 3);
    EXPECT_EQ(pic.PixelAt(4, 0, 0), Code(12, 13, 34));  // row 1, column 1
    EXPECT_EQ(pic.PixelAt(5, 9, 9), Code(33, 22, 34));
    EXPECT_EQ(Picture(Tiles(34, 23, 10, 10, -7, 0)).PatternCount(),
              6);  // negative skips count as 0
}

TEST(PatternCutting, EmptyAndOversizedPictures) {
    PictureData none;
    none.PatternWidth = 40;
    Picture empty(none);
    EXPECT_EQ(empty.PatternCount(), 0);
    EXPECT_EQ(empty.PatternPixelWidth(), 40);
    EXPECT_EQ(empty.PatternPixelHeight(), 0);
    Surface dest(4, 4);
    empty.DrawPattern(dest, 0, 0, 0);
    empty.BlendPattern(dest, {0, 0, 4, 4}, 0, 255);
    EXPECT_EQ(Picture(Tiles(30, 20, 31, 10)).PatternCount(), 0);
}

TEST(DrawPattern, ClipsAtEveryEdgeAndHonoursTheColourKey) {
    // Patterns of 4 x 3; pattern 1 has key pixels (black), pattern 0 none.
    PictureData data = Tiles(8, 3, 4, 3);
    for (int y = 0; y < 3; ++y) data.Rgb[y * 8 + 4 + (y % 4)] = 0;
    data.Rgb[7] = 0;
    Picture pic(data);
    ASSERT_EQ(pic.PatternCount(), 2);
    ASSERT_TRUE(pic.IsKey(1, 3, 0));
    for (int pattern : {0, 1})
        for (int x : {-5, -4, -3, -1, 0, 3, 6, 7, 9, 10, 11})
            for (int y : {-4, -3, -2, 0, 2, 5, 7, 8, 9}) ExpectDrawn(pic, pattern, x, y);
    data.Transparent = false;  // key pixels are drawn like any other
    Picture opaque(data);
    EXPECT_FALSE(opaque.IsKey(1, 3, 0));
    ExpectDrawn(opaque, 1, -1, 6);
}

TEST(DrawPattern, KeyIsTheTransparentColourIn565) {
    // TransparentColor is 0x00BBGGRR: 0x0000FF is red. Pixels with the same 565 value are keyed.
    PictureData data = MakePicture("k", 3, 1, [](int x, int) {
        return x == 0 ? 0xFF0000u : x == 1 ? 0xF80300u : 0x0000FFu;
    });
    data.TransparentColor = 0x0000FF;
    Picture pic(data);
    Surface dest(3, 1);
    pic.DrawPattern(dest, 0, 0, 0);
    EXPECT_EQ(dest.At(0, 0), 0);
    EXPECT_EQ(dest.At(1, 0), 0);
    EXPECT_EQ(dest.At(2, 0), 0x001F);
}

TEST(DrawPattern, PatternsOutsideTheRangeAndFarPositionsDrawNothing) {
    Picture pic(Tiles(8, 3, 4, 3));
    Surface dest(10, 8);
    std::fill(dest.Pixels.begin(), dest.Pixels.end(), kBackground);
    const std::vector<uint16_t> before = dest.Pixels;
    pic.DrawPattern(dest, 0, 0, -1);
    pic.DrawPattern(dest, 0, 0, pic.PatternCount());
    pic.DrawPattern(dest, INT_MIN, INT_MIN, 0);
    pic.DrawPattern(dest, INT_MAX, 0, 0);
    pic.DrawPattern(dest, 0, INT_MAX, 1);
    pic.BlendPattern(dest, {0, 0, 10, 8}, -1, 255);
    pic.BlendPattern(dest, {0, 0, 10, 8}, 2, 255);
    EXPECT_EQ(dest.Pixels, before);
}

TEST(BlendPattern, AlphaZeroFullAndHalf) {
    // 2 x 2 picture: red, green / blue, key (black). Scaled 2x into a 4 x 4 surface.
    PictureData data = MakePicture("logo", 2, 2, [](int x, int y) {
        const uint32_t c[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
        return c[y * 2 + x];
    });
    Picture pic(data);
    Surface dest(4, 4);
    std::fill(dest.Pixels.begin(), dest.Pixels.end(), 0xFFFF);
    pic.BlendPattern(dest, {0, 0, 4, 4}, 0, 0);
    pic.BlendPattern(dest, {0, 0, 4, 4}, 0, -20);
    EXPECT_EQ(dest.Pixels, std::vector<uint16_t>(16, 0xFFFF));

    pic.BlendPattern(dest, {0, 0, 4, 4}, 0, 300);
    const uint16_t full[16] = {0xF800, 0xF800, 0x07E0, 0x07E0, 0xF800, 0xF800, 0x07E0, 0x07E0,
                               0x001F, 0x001F, 0xFFFF, 0xFFFF, 0x001F, 0x001F, 0xFFFF, 0xFFFF};
    EXPECT_EQ(dest.Pixels, std::vector<uint16_t>(full, full + 16));

    std::fill(dest.Pixels.begin(), dest.Pixels.end(), 0);
    pic.BlendPattern(dest, {-2, 0, 2, 4}, 0, 128);  // partly off the surface: shows the right half
    uint16_t mixed = dest.At(1, 1);                 // half of green over black
    EXPECT_EQ(mixed & 0xF81F, 0);
    EXPECT_NEAR(mixed >> 5, 32, 1);
    EXPECT_EQ(dest.At(0, 2), 0);  // the key pixel leaves the surface alone
    EXPECT_EQ(dest.At(2, 0), 0);  // outside the rectangle
}

TEST(PictureList, FindsByNameWithoutRegardToCase) {
    PictureList list;
    list.LoadLibrary({{},
                      {CodedPicture("mesajfond", 2, 2), CodedPicture("Background", 1, 1),
                       CodedPicture("MESAJFOND", 3, 3)}});
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindPicture("MESAJFOND").Width(), 2);  // the first of equal names
    EXPECT_EQ(list.FindPicture("background").Name(), "Background");
    EXPECT_EQ(list.IndexOf("bAcKgRoUnD"), 1);
    EXPECT_EQ(list.IndexOf("nada"), -1);
    EXPECT_EQ(&list.PictureAt(2), &list.PictureAt(2));
    EXPECT_EQ(list.PictureAt(2).Width(), 3);
    try {
        list.FindPicture("nada");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Image 'nada' not found");
    }
    for (int index : {-1, 3}) {
        try {
            list.PictureAt(index);
            FAIL();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.FindPicture("mesajfond"), std::runtime_error);
}

TEST(PictureList, LoadsLibraryFilesAndNamesBadOnes) {
    TempDir dir;
    WriteFileAtomically(dir.File("meniu.dxg"), WritePictureLibrary({CodedPicture("mouse", 3, 2),
                                                                    CodedPicture("logo", 4, 4)}));
    PictureList list;
    list.LoadPictures(dir.File("meniu.dxg"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.FindPicture("Mouse").PixelAt(0, 2, 1), Code(2, 1, 3));

    WriteFileAtomically(dir.File("bad.dxg"), Bytes{'B', 'M', 0, 0});
    try {
        list.LoadPictures(dir.File("bad.dxg"));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "bad.dxg: Invalid stream format");
    }
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.LoadPictures(dir.File("missing.dxg")), FileError);
}

TEST(PictureList, AFolderIsAFileThatCannotBeOpened) {
    // A level naming no tile set asks for the program's folder itself.
    TempDir dir;
    PictureList list;
    try {
        list.LoadPictures(dir.Path());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), dir.Path() + ": cannot open file (a folder)");
    }
    EXPECT_EQ(list.Count(), 0);
}
