// Checks the built picture libraries "tolmara.dxg" and "computer.dxg" against what the game's
// drawing expects of them: names, list positions, pattern counts, sizes and transparency.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "media/picture.h"
#include "media/surface.h"
#include "support/test_support.h"

namespace {

const PictureList& Library(const std::string& file) {
    static std::map<std::string, PictureList> loaded;
    auto it = loaded.find(file);
    if (it == loaded.end()) {
        it = loaded.emplace(file, PictureList()).first;
        it->second.LoadPictures(BuiltGameDir() + file);
    }
    return it->second;
}

const PictureList& Game() {
    return Library("tolmara.dxg");
}
const PictureList& Tiles() {
    return Library("computer.dxg");
}

int DrawnPixels(const Picture& p, int pattern) {
    int n = 0;
    for (int y = 0; y < p.PatternPixelHeight(); ++y)
        for (int x = 0; x < p.PatternPixelWidth(); ++x) n += p.IsKey(pattern, x, y) ? 0 : 1;
    return n;
}

int PixelCount(const Picture& p) {
    return p.PatternPixelWidth() * p.PatternPixelHeight();
}

// Mean red, green and blue (0..255) of the drawn pixels of a pattern inside a rectangle (right
// and bottom exclusive).
void MeanColour(const Picture& p, int pattern, const Rect& r, double rgb[3]) {
    double sum[3] = {0, 0, 0};
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            if (p.IsKey(pattern, x, y)) continue;
            uint32_t c = Rgb565ToRgb(p.PixelAt(pattern, x, y));
            sum[0] += (c >> 16) & 255, sum[1] += (c >> 8) & 255, sum[2] += c & 255;
            ++n;
        }
    for (int i = 0; i < 3; ++i) rgb[i] = n ? sum[i] / n : 0;
}

// Centre of the drawn pixels of a pattern whose colour passes `keep`, relative to the cell's
// centre; (0, 0) when none does.
template <typename Keep>
void Centroid(const Picture& p, int pattern, Keep keep, double& dx, double& dy) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < p.PatternPixelHeight(); ++y)
        for (int x = 0; x < p.PatternPixelWidth(); ++x) {
            if (p.IsKey(pattern, x, y)) continue;
            uint32_t c = Rgb565ToRgb(p.PixelAt(pattern, x, y));
            if (!keep(int(c >> 16), int((c >> 8) & 255), int(c & 255))) continue;
            sx += x + 0.5, sy += y + 0.5;
            ++n;
        }
    dx = n ? sx / n - p.PatternPixelWidth() / 2.0 : 0;
    dy = n ? sy / n - p.PatternPixelHeight() / 2.0 : 0;
}

void ExpectPatterns(const Picture& p, int count, int w, int h) {
    SCOPED_TRACE(p.Name());
    EXPECT_EQ(p.PatternCount(), count);
    EXPECT_EQ(p.PatternPixelWidth(), w);
    EXPECT_EQ(p.PatternPixelHeight(), h);
}

// Where a picture of w x h drawn at x, y has its centre, compared with the screen's centre.
void ExpectCentredAt(const Picture& p, int x, int y, int cx, int cy, int slack) {
    SCOPED_TRACE(p.Name());
    EXPECT_NEAR(x + p.Width() / 2.0, cx, slack);
    EXPECT_NEAR(y + p.Height() / 2.0, cy, slack);
}

}  // namespace

TEST(GamePictures, CharacterPicturesHaveTheirPatterns) {
    const PictureList& lib = Game();
    for (const char* name : {"ball", "vivuz"}) ExpectPatterns(lib.FindPicture(name), 4, 40, 40);
    for (const char* name : {"ballsus", "balljos", "balls", "balld", "ballid", "ballis", "eddiesus",
                             "eddiejos", "eddies", "eddied"})
        ExpectPatterns(lib.FindPicture(name), 2, 40, 40);
    for (const char* name : {"ballmort", "eddiemort"})
        ExpectPatterns(lib.FindPicture(name), 1, 40, 40);
    // Idle and walking frames really move: no two patterns of a picture are the same.
    for (const char* name : {"ball", "vivuz", "balld", "eddiejos"}) {
        const Picture& p = lib.FindPicture(name);
        for (int a = 0; a + 1 < p.PatternCount(); ++a) {
            bool same = true;
            for (int y = 0; y < 40 && same; ++y)
                for (int x = 0; x < 40 && same; ++x)
                    same = p.PixelAt(a, x, y) == p.PixelAt(a + 1, x, y);
            EXPECT_FALSE(same) << name << " patterns " << a << " and " << a + 1;
        }
    }
}

TEST(GamePictures, PlayScreenPicturesFitWhereTheyAreDrawn) {
    const PictureList& lib = Game();
    ExpectPatterns(lib.FindPicture("explozie"), 10, 120, 120);
    const Picture& status = lib.FindPicture("status");
    EXPECT_EQ(status.Width(), 640);
    EXPECT_EQ(status.Height(), 79);
    EXPECT_EQ(DrawnPixels(status, 0), PixelCount(status)) << "the status bar covers its band";
    ExpectCentredAt(lib.FindPicture("pause"), 258, 216, 320, 240, 2);
    for (const char* name : {"youmadeit", "killed", "aborted"}) {
        ExpectCentredAt(lib.FindPicture(name), 206, 173, 320, 240, 1);
        EXPECT_EQ(lib.FindPicture(name).PatternCount(), 1);
    }
    const Picture& filler = lib.FindPicture("fondlm");
    EXPECT_EQ(filler.Width(), 160);
    EXPECT_EQ(filler.Height(), 160);
    EXPECT_EQ(DrawnPixels(filler, 0), PixelCount(filler)) << "the filler bands are solid";
}

TEST(GamePictures, MessageStripCarriesDarkRedText) {
    const Picture& strip = Game().FindPicture("mesajfond");
    // Drawn at x 70 behind text centred on x 320, one line every 25 px.
    EXPECT_NEAR(70 + strip.Width() / 2.0, 320, 3);
    EXPECT_GE(strip.Height(), 16);
    EXPECT_LE(strip.Height(), 25);
    // The middle of the strip is light, so the dark red text reads on it.
    double rgb[3];
    int mid = strip.Height() / 2;
    MeanColour(strip, 0, Rect{30, mid - 4, strip.Width() - 30, mid + 4}, rgb);
    EXPECT_GT((rgb[0] + rgb[1] + rgb[2]) / 3, 170);
}

TEST(GamePictures, GameFinishedScreen) {
    const PictureList& lib = Game();
    const Picture& back = lib.FindPicture("terminat");
    EXPECT_EQ(back.Width(), 640);
    EXPECT_EQ(back.Height(), 480);
    EXPECT_EQ(DrawnPixels(back, 0), PixelCount(back));
    const Picture& plate = lib.FindPicture("termina");
    EXPECT_NEAR(125 + plate.Width() / 2.0, 320, 3) << "centred when drawn at x 125";
    EXPECT_LE(200 + plate.Height(), 480) << "whole on screen once it stops at y 200";
}

TEST(GamePictures, StatusBarPicturesSitAtTheirListPositions) {
    const PictureList& lib = Game();
    ASSERT_GE(lib.Count(), 41);
    // The named pictures keep out of the positions the counters use.
    for (const char* name :
         {"ball",   "ballsus",   "balljos",   "balls",    "balld",    "ballid",
          "ballis", "ballmort",  "vivuz",     "eddiesus", "eddiejos", "eddies",
          "eddied", "eddiemort", "mesajfond", "explozie", "status",   "pause",
          "fondlm", "youmadeit", "killed",    "aborted",  "terminat", "termina"}) {
        int at = lib.IndexOf(name);
        EXPECT_GE(at, 0) << name;
        EXPECT_TRUE(at < 24 || at > 40) << name << " at " << at;
    }
    for (int icon : {24, 25, 26, 28}) {
        const Picture& p = lib.PictureAt(icon);
        EXPECT_NEAR(p.Width(), 30, 6) << icon;
        EXPECT_NEAR(p.Height(), 20, 5) << icon;
        EXPECT_TRUE(p.IsKey(0, 0, 0)) << icon << " has a transparent background";
    }
    // Six lives from x 175 end before the infotron and time counters at x 500.
    EXPECT_LE(175 + 6 * (lib.PictureAt(26).Width() + 5) - 5, 495);
}

TEST(GamePictures, CounterGlyphsFitOnScreen) {
    const PictureList& lib = Game();
    int digitWidth = lib.PictureAt(29).Width();
    for (int d = 0; d <= 9; ++d) {
        const Picture& p = lib.PictureAt(29 + d);
        SCOPED_TRACE(d);
        EXPECT_EQ(p.Width(), digitWidth) << "digits share one width so counters line up";
        EXPECT_EQ(p.PatternCount(), 1);
        EXPECT_NEAR(p.Height(), 18, 3);
        EXPECT_TRUE(p.IsKey(0, 0, 0));
        EXPECT_GT(DrawnPixels(p, 0), 15);
        if (d > 0) {  // each digit is its own glyph
            bool same = true;
            for (int y = 0; y < p.Height() && same; ++y)
                for (int x = 0; x < p.Width() && same; ++x)
                    same = p.IsKey(0, x, y) == lib.PictureAt(28 + d).IsKey(0, x, y);
            EXPECT_FALSE(same);
        }
    }
    int slash = lib.PictureAt(39).Width(), colon = lib.PictureAt(40).Width();
    EXPECT_LT(6 * digitWidth + slash, 100) << "\"100/100\"";
    EXPECT_LE(540 + 6 * digitWidth + slash, 640);
    EXPECT_LE(540 + 4 * digitWidth + colon, 640) << "\"00:00\"";
    EXPECT_LE(419 + lib.PictureAt(29).Height(), 480);
}

// ---- the standard tile set

namespace {

int TilePatterns(int code) {
    if (code >= 49 && code <= 52) return 4;
    if (code == 65 || code == 38) return 8;
    if (code == 66 || code == 67) return 11;
    if (code == 68) return 10;
    if (code >= 70 && code <= 81) return 20;
    if (code == 9 || code == 10 || code == 12 || code == 20) return 9;
    if (code == 7 || code == 8 || code == 19) return 5;
    return 1;
}

}  // namespace

TEST(TilePictures, EveryCodeHasItsPatterns) {
    const PictureList& lib = Tiles();
    ASSERT_GE(lib.Count(), 82);
    const Picture& background = lib.PictureAt(0);
    EXPECT_EQ(background.Width(), 640);
    EXPECT_EQ(background.Height(), 480);
    EXPECT_EQ(DrawnPixels(background, 0), PixelCount(background));
    for (int code = 0; code <= 81; ++code) {
        const Picture& p = lib.PictureAt(code);
        SCOPED_TRACE("code " + std::to_string(code));
        EXPECT_EQ(p.SkipWidth(), 0);
        EXPECT_EQ(p.SkipHeight(), 0);
        // A side of 168 px would cut into a different number of patterns than drawn.
        EXPECT_NE(p.Width(), 168);
        EXPECT_NE(p.Height(), 168);
        if (code > 0) ExpectPatterns(p, TilePatterns(code), 40, 40);
    }
}

TEST(TilePictures, BusyAndEmptyAreInvisibleAndTheRestAreDrawn) {
    const PictureList& lib = Tiles();
    for (int code = 1; code <= 81; ++code) {
        const Picture& p = lib.PictureAt(code);
        bool invisible = code == 11 || code == 15;
        for (int k = 0; k < p.PatternCount(); ++k) {
            int drawn = DrawnPixels(p, k);
            if (invisible) {
                EXPECT_EQ(drawn, 0) << code;
            } else if (k == 0) {
                EXPECT_GT(drawn, 200) << code;
            }
        }
    }
    // The eating animations end nearly empty, as the cell becomes empty after them.
    for (int code = 70; code <= 81; ++code) {
        const Picture& p = lib.PictureAt(code);
        EXPECT_LT(DrawnPixels(p, 19) * 4, DrawnPixels(p, 0)) << code;
    }
}

TEST(TilePictures, CodesLookDistinct) {
    const PictureList& lib = Tiles();
    auto samePattern0 = [&](int a, int b) {
        const Picture& pa = lib.PictureAt(a);
        const Picture& pb = lib.PictureAt(b);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (pa.PixelAt(0, x, y) != pb.PixelAt(0, x, y) ||
                    pa.IsKey(0, x, y) != pb.IsKey(0, x, y))
                    return false;
        return true;
    };
    for (int a = 1; a <= 81; ++a)
        for (int b = a + 1; b <= 81; ++b) {
            // At rest, a rolling infotron or ball is the infotron or ball; busy and empty are
            // both invisible.
            if ((a == 9 && b == 12) || (a == 10 && b == 20) || (a == 11 && b == 15)) continue;
            EXPECT_FALSE(samePattern0(a, b)) << a << " and " << b;
        }
}

TEST(TilePictures, HazardGlowsRedWhileDeadly) {
    // The player dies on tile 65 while its phase is above 2 and below 6.
    const Picture& p = Tiles().PictureAt(65);
    for (int k = 0; k < 8; ++k) {
        double rgb[3];
        MeanColour(p, k, Rect{14, 14, 26, 26}, rgb);
        if (k >= 2 && k <= 5) {
            EXPECT_GT(rgb[0], rgb[2] + 40) << "pattern " << k;
        } else if (k >= 6) {
            EXPECT_GT(rgb[2], rgb[0] + 40) << "pattern " << k;
        }
    }
}

TEST(TilePictures, DirectionsShowWhereThingsGo) {
    const PictureList& lib = Tiles();
    double dx, dy;
    // Trap arrows (orange) point where the trap throws: 23 right, 24 up, 25 down, 26 left.
    auto orange = [](int r, int g, int b) { return r > 150 && g > 80 && g < 190 && b < 70; };
    const double throwX[] = {1, 0, 0, -1}, throwY[] = {0, -1, 1, 0};
    for (int code = 23; code <= 26; ++code) {
        Centroid(lib.PictureAt(code), 0, orange, dx, dy);
        EXPECT_GT(dx * throwX[code - 23] + dy * throwY[code - 23], 3) << code;
    }
    // Air lines (cyan) stream out on the side the drift carries the player: 66 left, 67 right.
    auto air = [](int r, int g, int b) { return b > r + 60 && g > 170; };
    for (int k = 0; k < 11; ++k) {
        Centroid(lib.PictureAt(66), k, air, dx, dy);
        EXPECT_LT(dx, -3) << "66 pattern " << k;
        Centroid(lib.PictureAt(67), k, air, dx, dy);
        EXPECT_GT(dx, 3) << "67 pattern " << k;
    }
    // The saw drone's blade (pale grey) leads: up at 0, left at 2, down at 4, right at 6.
    auto blade = [](int r, int g, int b) {
        return r > 150 && std::abs(r - b) < 40 && std::abs(g - b) < 40;
    };
    const double faceX[] = {0, -1, 0, 1}, faceY[] = {-1, 0, 1, 0};
    for (int k = 0; k < 8; k += 2) {
        Centroid(lib.PictureAt(38), k, blade, dx, dy);
        EXPECT_GT(dx * faceX[k / 2] + dy * faceY[k / 2], 5) << "38 pattern " << k;
    }
}
