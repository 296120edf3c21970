// Tests of the media library reader: round trips through the writer, the component stream's
// value tags, error texts, and damaged files.
#include <gtest/gtest.h>

#include <random>

#include "media/media_test_util.h"

namespace {

PictureData Gradient(const std::string& name, int w, int h) {
    return MakePicture(name, w, h, [](int x, int y) {
        return static_cast<uint32_t>((x * 37 & 0xFF) << 16 | (y * 53 & 0xFF) << 8 |
                                     ((x + y) * 11 & 0xFF));
    });
}

std::string ErrorOf(const Bytes& file, const std::string& name = "meniu.dxg") {
    try {
        ReadPictureLibrary(file, name);
    } catch (const FileError& e) {
        return e.what();
    }
    return "(no error)";
}

std::vector<PictureData> SamplePictures() {
    PictureData tiles = Gradient("patratele", 5, 3);  // odd width: rows are padded
    tiles.PatternWidth = 2;
    tiles.PatternHeight = -1;
    tiles.SkipWidth = 1;
    tiles.SkipHeight = 300;
    tiles.SystemMemory = true;
    tiles.Transparent = false;
    tiles.TransparentColor = 0x12345678;
    PictureData empty;
    empty.Name = "nimic";
    return {Gradient("mesajfond", 40, 7), tiles, empty};
}

}  // namespace

TEST(LibraryRoundTrip, PicturesComeBackAsWritten) {
    Bytes colorTable(1024);
    for (size_t i = 0; i < colorTable.size(); ++i) colorTable[i] = static_cast<uint8_t>(i * 7);
    std::vector<PictureData> written = SamplePictures();
    PictureLibrary read =
        ReadPictureLibrary(WritePictureLibrary(written, colorTable), "tolmara.dxg");
    EXPECT_EQ(read.ColorTable, colorTable);
    ASSERT_EQ(read.Pictures.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        const PictureData& a = written[i];
        const PictureData& b = read.Pictures[i];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.PatternWidth, b.PatternWidth);
        EXPECT_EQ(a.PatternHeight, b.PatternHeight);
        EXPECT_EQ(a.SkipWidth, b.SkipWidth);
        EXPECT_EQ(a.SkipHeight, b.SkipHeight);
        EXPECT_EQ(a.SystemMemory, b.SystemMemory);
        EXPECT_EQ(a.Transparent, b.Transparent);
        EXPECT_EQ(a.TransparentColor, b.TransparentColor);
        EXPECT_EQ(a.Width, b.Width);
        EXPECT_EQ(a.Height, b.Height);
        EXPECT_EQ(a.Rgb, b.Rgb);
    }
}

TEST(LibraryRoundTrip, SoundsComeBackAsWritten) {
    std::vector<SoundData> written(3);
    written[0] = {"explozie", false, 4, Bytes{'R', 'I', 'F', 'F', 1, 2, 3}};
    written[1] = {std::string(300, 'x'), true, 0, Bytes(70000, 9)};  // a long string name
    written[2] = {"pas", false, -3, Bytes{}};
    std::vector<SoundData> read = ReadSoundLibrary(WriteSoundLibrary(written), "sounds.dxg");
    ASSERT_EQ(read.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read[i].Name, written[i].Name);
        EXPECT_EQ(read[i].Looped, written[i].Looped);
        EXPECT_EQ(read[i].Wave, written[i].Wave);
    }
    EXPECT_EQ(read[0].MaxPlayingCount, 4);
    EXPECT_EQ(read[2].MaxPlayingCount, 0);  // negative counts mean no limit
}

TEST(LibraryRoundTrip, ALibraryOfTheOtherKindIsRefused) {
    Bytes sounds = WriteSoundLibrary({});
    EXPECT_EQ(ErrorOf(sounds, "x.dxg"),
              "x.dxg: root component is 'TWaveCollectionComponent', "
              "expected 'TPictureCollectionComponent'");
    EXPECT_THROW(ReadSoundLibrary(WritePictureLibrary({}), "y.dxg"), FileError);
}

TEST(ComponentStream, ReadsEveryFormOfValueAndSkipsUnknownProperties) {
    ByteWriter w;
    w.Raw("TPF0");
    w.U8(0xF3);  // filer flags: inherited + child position, which follows as an integer
    w.U8(3);
    w.I16(-2);
    w.ShortString("TPictureCollectionComponent");
    w.ShortString("");
    w.ShortString("Tag");
    w.U8(19);  // a 64-bit integer of an unknown root property
    w.Raw(Bytes(8, 0xAB));
    w.ShortString("List");
    w.U8(14);
    w.U8(3);  // the item's order value
    w.I16(7);
    w.U8(1);
    w.ShortString("name");  // property names ignore letter case
    w.U8(12);
    w.U32(4);
    w.Raw("Sigl");
    w.ShortString("Hint");  // a long string
    w.U8(12);
    w.U32(3);
    w.Raw("abc");
    w.ShortString("PatternWidth");
    w.U8(4);
    w.I32(40);
    w.ShortString("Anchors");  // a set
    w.U8(11);
    w.ShortString("akLeft");
    w.ShortString("akTop");
    w.U8(0);
    w.ShortString("Ratio");  // single, extended, currency, date
    w.U8(15);
    w.Raw(Bytes(4, 1));
    w.ShortString("Ratio2");
    w.U8(5);
    w.Raw(Bytes(10, 2));
    w.ShortString("Money");
    w.U8(16);
    w.Raw(Bytes(8, 3));
    w.ShortString("When");
    w.U8(17);
    w.Raw(Bytes(8, 4));
    w.ShortString("PatternHeight");
    w.U8(3);
    w.I16(-300);
    w.ShortString("Nested");  // a list holding a list, an identifier, nil, null and a wide string
    w.U8(1);
    w.U8(1);
    w.U8(2);
    w.U8(5);
    w.U8(0);
    w.U8(7);
    w.ShortString("clRed");
    w.U8(13);
    w.U8(18);
    w.U32(2);
    w.Raw(Bytes{'h', 0, 'i', 0});
    w.U8(0);
    w.ShortString("Items");  // a nested collection with one item
    w.U8(14);
    w.U8(1);
    w.ShortString("Caption");
    w.U8(6);
    w.ShortString("x");
    w.U8(0);
    w.U8(0);
    w.ShortString("Blob");
    w.U8(10);
    w.U32(2);
    w.Raw(Bytes{1, 2});
    w.ShortString("TransparentColor");
    w.U8(7);
    w.ShortString("clFuchsia");
    w.ShortString("Transparent");
    w.U8(8);
    w.ShortString("SkipWidth");
    w.U8(2);
    w.U8(0xFE);
    PictureLibrary lib = ReadPictureLibrary(ClosePictureStream(w), "a.dxg");
    ASSERT_EQ(lib.Pictures.size(), 1u);
    const PictureData& p = lib.Pictures[0];
    EXPECT_EQ(p.Name, "Sigl");
    EXPECT_EQ(p.PatternWidth, 40);
    EXPECT_EQ(p.PatternHeight, -300);
    EXPECT_EQ(p.SkipWidth, -2);
    EXPECT_EQ(p.TransparentColor, 0xFF00FFu);
    EXPECT_FALSE(p.Transparent);
    EXPECT_EQ(p.Width, 0);  // no "Picture.Data": no picture
}

TEST(ComponentStream, ItemsWithoutPropertiesTakeTheDefaults) {
    ByteWriter w = OpenPictureStream();
    w.ShortString("Name");
    w.U8(18);  // a wide string name; characters above 255 become '?'
    w.U32(3);
    w.Raw(Bytes{'a', 0, 0x3A, 0x04, 'b', 0});
    w.U8(0);
    w.U8(1);  // a second item with no properties at all
    PictureLibrary lib = ReadPictureLibrary(ClosePictureStream(w), "a.dxg");
    ASSERT_EQ(lib.Pictures.size(), 2u);
    EXPECT_EQ(lib.Pictures[0].Name, "a?b");
    EXPECT_TRUE(lib.Pictures[1].Transparent);
    EXPECT_EQ(lib.Pictures[1].TransparentColor, 0u);
    EXPECT_EQ(lib.Pictures[1].PatternWidth, 0);
}

TEST(ComponentStream, WrongValuesAreNamed) {
    auto streamWith = [](auto addProperties) {
        ByteWriter w = OpenPictureStream();
        w.ShortString("Name");
        w.U8(6);
        w.ShortString("logo");
        addProperties(w);
        return ClosePictureStream(w);
    };
    EXPECT_EQ(ErrorOf(streamWith([](ByteWriter& w) {
                  w.ShortString("PatternWidth");
                  w.U8(6);
                  w.ShortString("40");
              })),
              "meniu.dxg: picture 'logo': property 'PatternWidth': expected an integer, found "
              "value tag 6 at offset 78");
    EXPECT_EQ(ErrorOf(streamWith([](ByteWriter& w) {
                  w.ShortString("TransparentColor");
                  w.U8(7);
                  w.ShortString("clPink");
              })),
              "meniu.dxg: picture 'logo': property 'TransparentColor': unknown colour 'clPink' at "
              "offset 82");
    EXPECT_EQ(ErrorOf(streamWith([](ByteWriter& w) {
                  w.ShortString("Other");
                  w.U8(20);
              })),
              "meniu.dxg: picture 'logo': unknown value tag 20 at offset 71");
    std::string deep = ErrorOf(streamWith([](ByteWriter& w) {
        w.ShortString("Deep");
        for (int i = 0; i < 100000; ++i) w.U8(1);
    }));
    EXPECT_NE(deep.find("values nested too deeply"), std::string::npos) << deep;
}

TEST(LibraryErrors, ResourceHeaderAndSignature) {
    Bytes good = WritePictureLibrary({Gradient("a", 2, 2)});
    ASSERT_NO_THROW(ReadPictureLibrary(good, "t.dxg"));
    const std::string invalid = "t.dxg: Invalid stream format";
    for (size_t at : {0, 1, 2}) {
        Bytes bad = good;
        bad[at] ^= 0x40;
        EXPECT_EQ(ErrorOf(bad, "t.dxg"), invalid) << at;
    }
    Bytes badSignature = good;
    badSignature[10 + std::string("TPICTURECOLLECTIONCOMPONENT").size()] = 'X';
    EXPECT_EQ(ErrorOf(badSignature, "t.dxg"), invalid);
    Bytes longName = WithResourceHeader(Bytes{'T', 'P', 'F', '0'}, std::string(80, 'N'));
    EXPECT_EQ(ErrorOf(longName, "t.dxg"), invalid);  // no name end within the first 79 bytes
    EXPECT_EQ(ErrorOf(Bytes{}, "t.dxg"), invalid);
    // The name may be up to 63 characters; its content does not matter.
    ByteWriter w = OpenPictureStream();
    Bytes stream = ClosePictureStream(w);
    Bytes named =
        WithResourceHeader(Bytes(stream.begin() + 14, stream.end()), std::string(63, 'Q'));
    EXPECT_NO_THROW(ReadPictureLibrary(named, "t.dxg"));
}

TEST(LibraryErrors, ColourTableMustHold256Entries) {
    Bytes file = WritePictureLibrary({}, Bytes(1000, 1));
    EXPECT_EQ(ErrorOf(file, "t.dxg"), "t.dxg: 'List.ColorTable' holds 1000 bytes, expected 1024");
}

TEST(LibraryErrors, PicturePayloadErrorsNameFileAndPicture) {
    DibFields bad7{.Width = 1, .Height = 1, .BitCount = 7, .Pixels = Bytes(4)};
    EXPECT_EQ(ErrorOf(OnePictureLibrary(TdibPayload(bad7))),
              "meniu.dxg: picture 'logo': Bitcount in invalid (7)");
    DibFields header20{.HeaderSize = 20, .Width = 1, .Height = 1};
    EXPECT_EQ(ErrorOf(OnePictureLibrary(TdibPayload(header20))),
              "meniu.dxg: picture 'logo': DIB is invalid");
    DibFields masks{.Width = 1,
                    .Height = 1,
                    .BitCount = 16,
                    .Compression = 3,
                    .Masks = {0xF800, 0x07C0, 0x003F},
                    .Pixels = Bytes(4)};
    EXPECT_EQ(ErrorOf(OnePictureLibrary(TdibPayload(masks))),
              "meniu.dxg: picture 'logo': PixelFormat in invalid");
    // Before its name is read, a picture is named by its position.
    RawPictureItem unnamed;
    unnamed.PictureDataPayload = TdibPayload(bad7);
    EXPECT_EQ(ErrorOf(WritePictureLibraryRaw({RawPictureItem{}, unnamed})),
              "meniu.dxg: picture 1: Bitcount in invalid (7)");
}

TEST(LibraryErrors, HostileSizesFailWithoutAllocating) {
    DibFields huge{.Width = 100000, .Height = 100000, .Pixels = Bytes(16)};
    EXPECT_EQ(ErrorOf(OnePictureLibrary(TdibPayload(huge))),
              "meniu.dxg: picture 'logo': picture of 100000 x 100000 pixels is too large (at most "
              "16777216)");
    DibFields tall{.Width = 1000, .Height = 1000, .Pixels = Bytes(16)};
    EXPECT_EQ(ErrorOf(OnePictureLibrary(TdibPayload(tall))),
              "meniu.dxg: picture 'logo': pixel rows need 3000000 bytes, only 16 remain");
    // Compressed pictures are small in the file: the library's total is limited as well.
    DibFields rle{.Width = 4000,
                  .Height = 4000,
                  .BitCount = 8,
                  .Compression = 1,
                  .ColorsUsed = 1,
                  .Palette = {0xFF},
                  .Pixels = Bytes{0, 1}};
    RawPictureItem item{{}, TdibPayload(rle)};
    std::string error = ErrorOf(WritePictureLibraryRaw({item, item, item}));
    EXPECT_NE(error.find("picture 2: picture of 4000 x 4000 pixels is too large"),
              std::string::npos)
        << error;
    // Lengths beyond the end of the file.
    ByteWriter w = OpenPictureStream();
    w.ShortString("Picture.Data");
    w.U8(10);
    w.U32(0xFFFFFFF0u);
    EXPECT_EQ(ErrorOf(ClosePictureStream(w)),
              "meniu.dxg: picture 0: data of 'Picture.Data': unexpected end of file at offset 72");
    ByteWriter s = OpenPictureStream();
    s.ShortString("Hint");
    s.U8(18);
    s.U32(0x7FFFFFFFu);
    EXPECT_THROW(ReadPictureLibrary(ClosePictureStream(s), "a.dxg"), FileError);
}

// Every prefix of a valid library, and many randomly damaged copies, either load or fail with a
// FileError; none may crash (the sanitizer build checks the reads).
TEST(LibraryErrors, TruncatedAndDamagedFilesFailCleanly) {
    DibFields rle4{.Width = 5,
                   .Height = 3,
                   .BitCount = 4,
                   .Compression = 2,
                   .ColorsUsed = 2,
                   .Palette = {0x111111, 0x222222},
                   .Pixels = Bytes{3, 0x12, 0, 0, 0, 3, 1, 2, 0, 0, 0, 1}};
    DibFields pal8{.HeaderSize = 12,
                   .Width = 3,
                   .Height = 2,
                   .BitCount = 8,
                   .Palette = std::vector<uint32_t>(256, 0x808080),
                   .Pixels = Bytes(8, 1)};
    std::vector<RawPictureItem> items{{Gradient("a", 3, 3), EncodeTdib24(Gradient("a", 3, 3))},
                                      {{}, TdibPayload(rle4)},
                                      {{}, TdibPayload(pal8)},
                                      {{}, TBitmapPayload(BitmapFile(pal8))}};
    items[1].Properties.Name = "b";
    Bytes file = WritePictureLibraryRaw(items, Bytes(1024, 3));
    ASSERT_EQ(ReadPictureLibrary(file, "t.dxg").Pictures.size(), 4u);
    int failures = 0;
    for (size_t cut = 0; cut < file.size(); ++cut) {
        Bytes part(file.begin(), file.begin() + cut);
        try {
            ReadPictureLibrary(part, "t.dxg");
        } catch (const FileError& e) {
            ++failures;
            EXPECT_EQ(std::string(e.what()).rfind("t.dxg: ", 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(failures, static_cast<int>(file.size()));  // nothing before the end is complete
    std::mt19937 random(20240607);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = file;
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        try {
            ReadPictureLibrary(damaged, "t.dxg");
        } catch (const FileError&) {
        }
    }
    Bytes sounds = WriteSoundLibrary({{"a", true, 2, Bytes(30, 1)}, {"b", false, 0, Bytes(5, 2)}});
    for (size_t cut = 0; cut < sounds.size(); ++cut)
        EXPECT_THROW(ReadSoundLibrary(Bytes(sounds.begin(), sounds.begin() + cut), "s.dxg"),
                     FileError);
}
