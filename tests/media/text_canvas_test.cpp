// The text canvas: measuring and drawing "Arial" text on the back surface, and Latin-1 text.
#include "media/text_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "media/surface.h"
#include "support/test_support.h"

namespace {

constexpr uint16_t kBackground = 0x18E3;  // a dark grey that no text colour here gives

struct Changes {
    int Count = 0;
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;  // inclusive
};

Changes FindChanges(const Surface& s) {
    Changes c;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            if (s.At(x, y) != kBackground) {
                ++c.Count;
                c.Left = std::min(c.Left, x);
                c.Right = std::max(c.Right, x);
                c.Top = std::min(c.Top, y);
                c.Bottom = std::max(c.Bottom, y);
            }
    return c;
}

int CountPixels(const Surface& s, uint16_t value) {
    return static_cast<int>(std::count(s.Pixels.begin(), s.Pixels.end(), value));
}

Surface Backdrop() {
    Surface s(200, 60);
    std::fill(s.Pixels.begin(), s.Pixels.end(), kBackground);
    return s;
}

TEST(TextCanvas, ArialSizesArePointsAt96DotsPerInchAndWidthsAreStable) {
    TextCanvas canvas;
    canvas.SetFont("Arial", 14);
    int hello = canvas.TextPixelWidth("Hello");
    // "Hello" is 2.28 em wide; 14 points at 96 dpi make an em of 18.7 pixels (14 at 72 dpi).
    EXPECT_GE(hello, 38);
    EXPECT_LE(hello, 48);
    EXPECT_EQ(canvas.TextPixelWidth("Hello"), hello);
    canvas.SetFont("arial", 20);
    EXPECT_GT(canvas.TextPixelWidth("Hello"), hello);
    canvas.SetFont("Arial", 14);
    EXPECT_EQ(canvas.TextPixelWidth("Hello"), hello);
    EXPECT_GT(canvas.TextPixelWidth("Hello world"), hello);
    EXPECT_EQ(canvas.TextPixelWidth(""), 0);
    EXPECT_GT(canvas.TextPixelHeight(""), 14);
}

TEST(TextCanvas, TextIsDrawnWhereAskedWithoutABackground) {
    TextCanvas canvas;
    canvas.SetFont("Arial", 14);
    canvas.SetColor(0x0000FF);  // red, written 0x00BBGGRR
    Surface back = Backdrop();
    int w = canvas.TextPixelWidth("Hello"), h = canvas.TextPixelHeight("Hello");
    canvas.WriteText(back, 50, 20, "Hello");
    canvas.ReleaseCanvas();
    Changes c = FindChanges(back);
    ASSERT_GT(c.Count, 50);
    EXPECT_GE(c.Left, 50);
    EXPECT_LE(c.Right, 50 + w - 1);
    EXPECT_GE(c.Top, 20);
    EXPECT_LE(c.Bottom, 20 + h - 1);
    EXPECT_LE(c.Left, 53);                     // the H stem starts at the left edge
    EXPECT_GT(CountPixels(back, 0xF800), 20);  // fully covered pixels take the text colour
    // A clear brush: most of the text's box keeps what was there.
    EXPECT_LT(c.Count, w * h / 2);
}

TEST(TextCanvas, RepeatedDrawingGivesTheSameFrameAndTextIsClipped) {
    TextCanvas canvas;
    canvas.SetFont("Arial", 10);
    canvas.SetColor(0xFFFFFF);
    Surface once = Backdrop();
    canvas.WriteText(once, 10, 10, "Player one");
    Surface again = Backdrop();
    canvas.WriteText(again, 10, 10, "Player one");
    EXPECT_EQ(once.Pixels, again.Pixels);

    Surface edges = Backdrop();
    canvas.WriteText(edges, -15, -6, "Player one");
    canvas.WriteText(edges, 185, 52, "Player one");
    canvas.WriteText(edges, 500, 500, "Player one");
    Changes c = FindChanges(edges);
    EXPECT_GT(c.Count, 0);
    EXPECT_EQ(c.Left, 0);
    EXPECT_EQ(c.Right, 199);
}

TEST(TextCanvas, LatinOneTextIsDrawnWithItsAccents) {
    TextCanvas canvas;
    canvas.SetFont("Arial", 14);
    EXPECT_GT(canvas.TextPixelWidth("e\xE9"), canvas.TextPixelWidth("e"));
    Surface plain = Backdrop(), accented = Backdrop();
    canvas.SetColor(0xFFFFFF);
    canvas.WriteText(plain, 10, 10, "e");
    canvas.WriteText(accented, 10, 10, "\xE9");
    EXPECT_GT(FindChanges(accented).Count, FindChanges(plain).Count);  // the accent is there
}

TEST(TextCanvas, TheFontFolderIsSearchedFirstAndUnknownFontsAreNamed) {
    TextCanvas system;
    system.SetFont("Arial", 14);
    int systemWidth = system.TextPixelWidth("Hello");

    // A different face under the Arial file's name in the font folder wins over the system's.
    TempDir dir;
    std::filesystem::copy_file("/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
                               dir.File("LiberationSans-Regular.ttf"));
    TextCanvas local;
    local.SetFontFolder(dir.Path());
    local.SetFont("Arial", 14);
    EXPECT_NE(local.TextPixelWidth("Hello"), systemWidth);

    TextCanvas unknown;
    unknown.SetFont("Wingdings", 12);
    try {
        unknown.TextPixelWidth("x");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Wingdings"), std::string::npos) << e.what();
    }
}

TEST(Latin1Text, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    std::string utf8 = Latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
    EXPECT_EQ(Utf8ToLatin1(utf8), all);
    EXPECT_EQ(Latin1ToUtf8("Caf\xE9 \xFF"), "Caf\xC3\xA9 \xC3\xBF");
}

TEST(Latin1Text, CharactersWithoutALatin1ByteAndBrokenBytesAreDropped) {
    EXPECT_EQ(Utf8ToLatin1("5 \xE2\x82\xAC"), "5 ");        // euro sign
    EXPECT_EQ(Utf8ToLatin1("a\xF0\x9F\x98\x80z"), "az");    // emoji
    EXPECT_EQ(Utf8ToLatin1("\xC4\x83n"), "n");              // a with breve
    EXPECT_EQ(Utf8ToLatin1("x\xC3"), "x");                  // cut short
    EXPECT_EQ(Utf8ToLatin1("\x80y\xBF"), "y");              // stray continuations
    EXPECT_EQ(Utf8ToLatin1("\xC1\x81\xE0\x81\x81!"), "!");  // overlong forms
    EXPECT_EQ(Utf8ToLatin1("\xC3(\xC3\xA9"), "(\xE9");      // a lead byte without its tail
}

}  // namespace
