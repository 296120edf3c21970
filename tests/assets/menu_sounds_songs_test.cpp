// Checks the built menu library, sound library and songs, and the default configuration, against
// what the menu screens, the sound player and the music player expect of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/byte_io.h"
#include "media/library_format.h"
#include "media/picture.h"
#include "support/test_support.h"

namespace {

const PictureList& Menu() {
    static PictureList list = [] {
        PictureList l;
        l.LoadPictures(BuiltGameDir() + "meniu.dxg");
        return l;
    }();
    return list;
}

// The smallest rectangle (inclusive) holding every drawn pixel of pattern 0.
struct Box {
    int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
};

Box DrawnBox(const Picture& p) {
    Box b;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (!p.IsKey(0, x, y)) {
                b.Left = std::min(b.Left, x), b.Right = std::max(b.Right, x);
                b.Top = std::min(b.Top, y), b.Bottom = std::max(b.Bottom, y);
            }
    return b;
}

// A picture drawn at (x, y) must show its pixels only inside the screen rectangle left..right,
// top..bottom (inclusive; the hit tests use exclusive bounds, hence the one pixel of slack).
void ExpectDrawnInside(const std::string& name, int x, int y, int left, int top, int right,
                       int bottom) {
    SCOPED_TRACE(name);
    Box b = DrawnBox(Menu().FindPicture(name));
    ASSERT_GE(b.Right, 0) << "nothing drawn";
    EXPECT_GE(x + b.Left, left);
    EXPECT_GE(y + b.Top, top);
    EXPECT_LE(x + b.Right, right);
    EXPECT_LE(y + b.Bottom, bottom);
}

// Pixels where two looks of a button differ must all lie in columns c0..c1 and rows r0..r1.
void ExpectDifferencesWithin(const std::string& a, const std::string& b, int c0, int c1, int r0,
                             int r1) {
    SCOPED_TRACE(a + " / " + b);
    const Picture& p = Menu().FindPicture(a);
    const Picture& q = Menu().FindPicture(b);
    ASSERT_EQ(p.Width(), q.Width());
    ASSERT_EQ(p.Height(), q.Height());
    int differing = 0, outside = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.PixelAt(0, x, y) != q.PixelAt(0, x, y)) {
                ++differing;
                if (x < c0 || x > c1 || y < r0 || y > r1) ++outside;
            }
    EXPECT_GT(differing, 20) << "the two looks are alike";
    EXPECT_EQ(outside, 0);
}

struct SizeRule {
    const char* Name;
    int MinW, MaxW, MinH, MaxH;
};

// Every picture the menu screens draw, with the sizes their layout leaves room for.
const SizeRule kMenuPictures[] = {
    {"brinloft", 640, 640, 480, 480},
    {"background", 640, 640, 480, 480},
    {"sm", 300, 440, 60, 130},
    {"m2", 300, 450, 60, 130},
    {"bomba", 100, 171, 100, 200},
    {"sg", 180, 200, 24, 40},
    {"op", 180, 200, 24, 40},
    {"in", 180, 200, 24, 40},
    {"cr", 180, 200, 24, 40},
    {"exit", 180, 200, 24, 40},
    {"mouse", 8, 32, 8, 32},
    {"ballmeniu", 60, 92, 60, 100},
    {"tmmeniu", 60, 140, 60, 100},
    {"selectyourcharacter", 200, 400, 24, 80},
    {"opmusic", 30, 70, 16, 30},
    {"opsounds", 30, 75, 16, 30},
    {"optips", 30, 68, 16, 30},
    {"opspeed", 60, 164, 16, 30},
    {"opmusicv", 60, 164, 16, 30},
    {"opsoundv", 60, 164, 16, 30},
    {"opon", 24, 80, 16, 30},
    {"opoff", 24, 80, 16, 30},
    {"ops", 180, 224, 4, 20},
    {"opss", 6, 20, 12, 30},
    {"back", 40, 80, 20, 30},
    {"backs", 40, 80, 20, 30},
    {"ok", 40, 85, 20, 30},
    {"oks", 40, 85, 20, 30},
    {"eyn", 200, 320, 150, 200},
    {"add", 40, 57, 14, 21},
    {"adda", 40, 57, 14, 21},
    {"butoane", 20, 27, 70, 81},
    {"butoane1", 20, 27, 70, 81},
    {"butoane2", 20, 27, 70, 81},
    {"cal", 250, 330, 120, 170},
    {"ex", 40, 48, 12, 18},
    {"ex1", 40, 48, 12, 18},
    {"ex2", 40, 48, 12, 18},
    {"cursor", 1, 4, 10, 20},
    {"informatii", 640, 640, 480, 480},
    {"informatii2", 640, 640, 480, 480},
    {"credits", 300, 390, 1620, 2400},
    {"updown", 70, 78, 50, 58},
    {"c", 640, 640, 480, 480},
    {"c1", 640, 640, 480, 480},
    {"c2", 640, 640, 480, 480},
    {"c3", 640, 640, 480, 480},
    {"c4", 640, 640, 480, 480},
    {"c5", 640, 640, 480, 480},
    {"c6", 640, 640, 480, 480},
    {"p1", 60, 140, 16, 50},
    {"p2", 60, 140, 16, 50},
    {"p3", 60, 140, 16, 50},
    {"p4", 60, 140, 16, 50},
    {"p5", 60, 140, 16, 50},
    {"p6", 60, 140, 16, 50},
    {"p7", 60, 140, 16, 50},
};

TEST(MenuLibrary, HoldsEveryPictureTheMenuScreensDrawInSizesThatFitTheirPlaces) {
    ASSERT_GT(Menu().Count(), 0);
    for (const SizeRule& rule : kMenuPictures) {
        SCOPED_TRACE(rule.Name);
        ASSERT_NE(Menu().IndexOf(rule.Name), -1) << "missing";
        const Picture& p = Menu().FindPicture(rule.Name);
        EXPECT_EQ(p.PatternCount(), 1);
        EXPECT_GE(p.Width(), rule.MinW);
        EXPECT_LE(p.Width(), rule.MaxW);
        EXPECT_GE(p.Height(), rule.MinH);
        EXPECT_LE(p.Height(), rule.MaxH);
    }
}

TEST(MenuLibrary, ButtonsAreDrawnWhereTheirClicksCount) {
    const char* items[] = {"sg", "op", "in", "cr", "exit"};
    for (int i = 0; i < 5; ++i)
        ExpectDrawnInside(items[i], 235, 270 + 40 * i, 235, 270 + 40 * i, 435, 310 + 40 * i);
    ExpectDrawnInside("ballmeniu", 188, 200, 188, 200, 280, 300);
    ExpectDrawnInside("tmmeniu", 340, 200, 340, 200, 480, 300);
    // bottom buttons: the options screen counts back at 237..310, the players screen at
    // 250..310; ok at 330..404 and 330..391
    for (const char* name : {"back", "backs"})
        ExpectDrawnInside(name, 249, 415, 250, 419, 310, 443);
    for (const char* name : {"ok", "oks"}) ExpectDrawnInside(name, 320, 415, 330, 419, 391, 443);
    ExpectDrawnInside("add", 206, 240, 206, 240, 262, 260);
    ExpectDrawnInside("butoane", 38, 278, 38, 278, 64, 358);
    ExpectDrawnInside("butoane", 330, 275, 330, 275, 356, 355);
    ExpectDrawnInside("ex", 214, 360, 214, 360, 261, 377);
    ExpectDrawnInside("updown", 50, 400, 50, 400, 127, 457);
    ExpectDrawnInside("ops", 326, 295, 326, 290, 550, 320);
    // the lit part of each arrow column is the part a click moves: up above row 23, down from
    // row 56 (players: y < 301 and y >= 334 from 278; levels: y < 298 and y >= 331 from 275)
    ExpectDifferencesWithin("butoane", "butoane1", 0, 26, 0, 22);
    ExpectDifferencesWithin("butoane", "butoane2", 0, 26, 56, 80);
    // edit is clicked at x < 235, delete at x > 240, the pair being drawn at 214
    ExpectDifferencesWithin("ex", "ex1", 0, 20, 0, 17);
    ExpectDifferencesWithin("ex", "ex2", 27, 47, 0, 17);
    ExpectDifferencesWithin("back", "backs", 0, 66, 0, 30);
}

TEST(MenuLibrary, NothingIsDrawnWhereAClickDoesNothing) {
    // between the page buttons: clicks at y 424..432 (rows 24..32 of "updown") do nothing
    const Picture& pages = Menu().FindPicture("updown");
    for (int y = 25; y <= 31; ++y)
        for (int x = 0; x < pages.Width(); ++x) EXPECT_TRUE(pages.IsKey(0, x, y)) << x << "," << y;
    // the switches are clicked at 326 <= x < 350: their lamp must be drawn there
    for (const char* name : {"opon", "opoff"}) {
        const Picture& p = Menu().FindPicture(name);
        EXPECT_FALSE(p.IsKey(0, 12, 12)) << name;
    }
    // the pointer's hot spot is its top-left pixel
    EXPECT_FALSE(Menu().FindPicture("mouse").IsKey(0, 0, 0));
}

TEST(MenuLibrary, OptionLabelsEndJustBeforeTheValues) {
    struct Label {
        const char* Name;
        int X;
    };
    const Label labels[] = {{"opmusic", 256}, {"opsounds", 251}, {"optips", 258},
                            {"opspeed", 162}, {"opmusicv", 162}, {"opsoundv", 162},
                            {"opghost", 162}, {"oprewind", 162}};
    for (const Label& l : labels) {
        SCOPED_TRACE(l.Name);
        Box b = DrawnBox(Menu().FindPicture(l.Name));
        EXPECT_LT(l.X + b.Right, 326);
        EXPECT_GT(l.X + b.Right, 326 - 16);
        EXPECT_GE(l.X + b.Left, 150);
    }
}

TEST(MenuLibrary, PagesAndFramesLetWhatIsBehindShowThrough) {
    EXPECT_FALSE(Menu().FindPicture("background").Transparent());
    for (const char* name : {"c", "c1", "c2", "c3", "c4", "c5", "c6"}) {
        SCOPED_TRACE(name);
        const Picture& page = Menu().FindPicture(name);
        EXPECT_TRUE(page.IsKey(0, 2, 2));     // the board of "informatii" shows around the page
        EXPECT_TRUE(page.IsKey(0, 88, 428));  // so do the page buttons' surroundings
        Box b = DrawnBox(page);
        EXPECT_GE(b.Top, 14);
        EXPECT_LE(b.Bottom, 392);  // nothing over the page buttons and the page number
    }
    const Picture& frame = Menu().FindPicture("informatii2");
    EXPECT_TRUE(frame.IsKey(0, 430, 240));  // the window over the scrolling credits
    EXPECT_TRUE(frame.IsKey(0, 252, 62));
    EXPECT_TRUE(frame.IsKey(0, 430, 479));  // down to the bottom: the credits show at once
    EXPECT_FALSE(frame.IsKey(0, 20, 20));   // an opaque border
    EXPECT_FALSE(frame.IsKey(0, 430, 30));
}

// ---- sounds

uint32_t Le32(const Bytes& b, size_t at) {
    if (at + 4 > b.size()) throw std::runtime_error("truncated at " + std::to_string(at));
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const Bytes& b, size_t at) {
    if (at + 2 > b.size()) throw std::runtime_error("truncated at " + std::to_string(at));
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct WaveInfo {
    int Rate = 0;
    double Seconds = 0;
    int Peak = 0;
    double Offset = 0;  // the mean sample value: a DC offset
};

// Reads a RIFF WAVE file that must be 16-bit mono PCM; fails the test otherwise.
WaveInfo CheckWave(const Bytes& w) {
    WaveInfo info;
    EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(w, 4), w.size() - 8);
    EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 12), "WAVE");
    bool format = false;
    for (size_t at = 12; at + 8 <= w.size();) {
        std::string id(w.begin() + at, w.begin() + at + 4);
        uint32_t size = Le32(w, at + 4);
        if (id == "fmt ") {
            EXPECT_EQ(Le16(w, at + 8), 1);   // PCM
            EXPECT_EQ(Le16(w, at + 10), 1);  // mono
            info.Rate = static_cast<int>(Le32(w, at + 12));
            EXPECT_TRUE(info.Rate == 22050 || info.Rate == 44100) << info.Rate;
            EXPECT_EQ(Le32(w, at + 16), static_cast<uint32_t>(info.Rate) * 2);
            EXPECT_EQ(Le16(w, at + 20), 2);
            EXPECT_EQ(Le16(w, at + 22), 16);
            format = true;
        } else if (id == "data") {
            EXPECT_TRUE(format) << "data before fmt";
            EXPECT_LE(at + 8 + size, w.size());
            EXPECT_EQ(size % 2, 0u);
            double sum = 0;
            for (size_t i = 0; i + 1 < size && at + 9 + i < w.size(); i += 2) {
                int sample = static_cast<int16_t>(Le16(w, at + 8 + i));
                info.Peak = std::max(info.Peak, std::abs(sample));
                sum += sample;
            }
            if (size >= 2) info.Offset = sum / (size / 2);
            if (info.Rate > 0) info.Seconds = size / 2.0 / info.Rate;
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(format);
    return info;
}

// Every sound takes at most 45 % of full scale, so that it stays below full scale over a song
// (whose peaks stay below half of it), and carries no DC offset (a thump, lost headroom).
TEST(SoundLibrary, HoldsTheTenSoundsAsAudiblePcmWavesThatLeaveRoomForTheMusic) {
    std::vector<SoundData> sounds =
        ReadSoundLibrary(ReadFileBytes(BuiltGameDir() + "sounds.dxg"), "sounds.dxg");
    const char* names[] = {"aparemesaj", "click",          "ok",      "brinloft", "explozie",
                           "infotron",   "manancacircuit", "impinge", "termina",  "picabomba"};
    std::map<std::string, WaveInfo> found;
    for (const SoundData& s : sounds) {
        SCOPED_TRACE(s.Name);
        EXPECT_FALSE(s.Looped);
        EXPECT_EQ(s.MaxPlayingCount, 0);
        ASSERT_GE(s.Wave.size(), 44u);
        found[s.Name] = CheckWave(s.Wave);
    }
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(found.count(name)) << "missing";
        EXPECT_GT(found[name].Peak, 3000) << "silent";
        EXPECT_LE(found[name].Peak, 0.45 * 32768);
        EXPECT_LT(std::abs(found[name].Offset), 0.005 * 32768);
        EXPECT_GT(found[name].Seconds, 0.02);
        EXPECT_LT(found[name].Seconds, 5.0);
    }
    EXPECT_GT(found["brinloft"].Seconds, 1.5);  // a jingle over the logo, not a blip
    EXPECT_GT(found["termina"].Seconds, 1.0);
    EXPECT_LT(found["click"].Seconds, 0.2);  // clicks follow each other quickly
}

// ---- configuration and songs

std::vector<std::string> ConfigLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) throw std::runtime_error("last line without CR LF");
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string DefaultConfigText() {
    Bytes b = ReadFileBytes(SourceDir() + "assets/tolmarakx.cfg");
    return std::string(b.begin(), b.end());
}

// "Key = value;" lines: the value, or a test failure.
std::string ValueOf(const std::string& line, const std::string& key) {
    std::string head = key + " = ";
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_EQ(line.back(), ';') << line;
    return line.substr(head.size(), line.size() - head.size() - 1);
}

// The song files named by the default configuration.
std::vector<std::string> ConfiguredSongs() {
    std::vector<std::string> lines = ConfigLines(DefaultConfigText());
    int count = std::stoi(ValueOf(lines.at(14), "Number of songs"));
    std::vector<std::string> songs;
    for (int k = 1; k <= count; ++k)
        songs.push_back(ValueOf(lines.at(15 + k), "Song" + std::to_string(k)));
    return songs;
}

TEST(DefaultConfiguration, HasTheGamesExactLayoutWithCrLfLines) {
    std::string text = DefaultConfigText();
    for (size_t i = 0; i < text.size(); ++i) {
        bool bareLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        bool bareCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        ASSERT_FALSE(bareLf || bareCr) << "line end without CR LF at " << i;
    }
    std::vector<std::string> l = ConfigLines(text);
    ASSERT_GE(l.size(), 30u);
    EXPECT_EQ(l[0], "- Tolmara 2.1 internal configuration file ------------------------");
    EXPECT_EQ(l[1], "---------------------- Please do not modify! -----------------------");
    EXPECT_EQ(l[2], "");
    const char* settings[][2] = {{"Character", "Vivuz"},    {"Show tips", "true"},
                                 {"Music enabled", "true"}, {"Sounds enabled", "true"},
                                 {"Music Volume", "200"},   {"Sounds Volume", "200"},
                                 {"Speed", "300"},          {"Levels File", "Tolmara.lev"}};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ValueOf(l[3 + i], settings[i][0]), settings[i][1]);
    EXPECT_EQ(l[11], "");
    EXPECT_EQ(l[12], "------------------------ Music configuration -----------------------");
    EXPECT_EQ(l[13], "");
    int songs = std::stoi(ValueOf(l[14], "Number of songs"));
    EXPECT_GE(songs, 6);
    EXPECT_EQ(l[15], "");
    size_t at = 16 + songs;
    ASSERT_EQ(l.size(), at + 42);
    EXPECT_EQ(l[at], "");
    EXPECT_EQ(l[at + 1], "------------------------ Levels songs ------------------------------");
    EXPECT_EQ(l[at + 2], "------------- At every level will be a song number -----------------");
    EXPECT_EQ(l[at + 3], "----- 0 means random, the game will choose one of the songs --------");
    EXPECT_EQ(l[at + 4], "");
    EXPECT_EQ(ValueOf(l[at + 5], "Number of levels"), "32");
    EXPECT_EQ(l[at + 6], "");
    int menu = std::stoi(ValueOf(l[at + 7], "Menu"));
    EXPECT_GE(menu, 1);
    EXPECT_LE(menu, songs);
    std::vector<int> used(songs + 1, 0);
    for (int j = 1; j <= 32; ++j) {
        int song = std::stoi(ValueOf(l[at + 7 + j], "Level" + std::to_string(j)));
        ASSERT_GE(song, 0);
        ASSERT_LE(song, songs);
        ++used[song];
    }
    EXPECT_GE(std::count_if(used.begin() + 1, used.end(), [](int n) { return n > 0; }), 4)
        << "levels share few songs";
    EXPECT_EQ(l[at + 40], "");
    EXPECT_EQ(l[at + 41], "--------------------- End of configuration file --------------------");
}

// A Standard MIDI File reduced to what the music player relies on.
struct MidiSummary {
    int Division = 0;
    int EndTick = 0;  // the latest end of track
    std::vector<int> TrackEnds;
    std::vector<uint32_t> Tempos;  // microseconds per beat, in file order
    int BeatsPerBar = 4;
    int HangingNotes = 0;  // note-ons without a note-off before the end of their track
    int Channels = 0;      // channels that play notes
    int Notes = 0;
};

class BigEndian {
  public:
    explicit BigEndian(const Bytes& b) : b_(b) {}
    uint32_t Read(int n) {
        if (pos_ + n > b_.size()) throw std::runtime_error("truncated at " + std::to_string(pos_));
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 8) | b_[pos_++];
        return v;
    }
    uint32_t VarLen() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            uint32_t c = Read(1);
            v = (v << 7) | (c & 0x7F);
            if (!(c & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number too long");
    }
    size_t pos_ = 0;

  private:
    const Bytes& b_;
};

void ReadTrack(BigEndian& in, size_t end, MidiSummary& s, std::vector<int>& channelNotes) {
    std::map<int, int> sounding;  // channel * 128 + key -> notes on
    int tick = 0, status = 0;
    while (in.pos_ < end) {
        tick += static_cast<int>(in.VarLen());
        uint32_t first = in.Read(1);
        if (first == 0xFF) {
            uint32_t type = in.Read(1), length = in.VarLen();
            std::vector<uint32_t> data;
            for (uint32_t i = 0; i < length; ++i) data.push_back(in.Read(1));
            if (type == 0x51 && length == 3)
                s.Tempos.push_back((data[0] << 16) | (data[1] << 8) | data[2]);
            if (type == 0x58 && length >= 1) s.BeatsPerBar = static_cast<int>(data[0]);
            if (type == 0x2F) break;
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            uint32_t length = in.VarLen();
            for (uint32_t i = 0; i < length; ++i) in.Read(1);
            continue;
        }
        uint32_t data1 = first;
        if (first & 0x80)
            status = static_cast<int>(first), data1 = in.Read(1);  // else running status
        int kind = status & 0xF0, channel = status & 0x0F;
        uint32_t data2 = (kind == 0xC0 || kind == 0xD0) ? 0 : in.Read(1);
        int key = channel * 128 + static_cast<int>(data1);
        if (kind == 0x90 && data2 > 0) {
            ++sounding[key], ++s.Notes, ++channelNotes[channel];
        } else if (kind == 0x80 || kind == 0x90) {
            --sounding[key];
        }
    }
    for (auto& [key, on] : sounding) s.HangingNotes += std::max(0, on);
    s.TrackEnds.push_back(tick);
    s.EndTick = std::max(s.EndTick, tick);
}

MidiSummary ReadMidi(const Bytes& bytes) {
    MidiSummary s;
    BigEndian in(bytes);
    if (in.Read(4) != 0x4D546864 || in.Read(4) != 6) throw std::runtime_error("no MThd header");
    uint32_t format = in.Read(2), tracks = in.Read(2);
    s.Division = static_cast<int>(in.Read(2));
    if (format > 1 || tracks == 0 || (s.Division & 0x8000) || s.Division == 0)
        throw std::runtime_error("format, track count or division unusable");
    std::vector<int> channelNotes(16, 0);
    for (uint32_t t = 0; t < tracks; ++t) {
        if (in.Read(4) != 0x4D54726B) throw std::runtime_error("no MTrk chunk");
        size_t length = in.Read(4);
        size_t end = in.pos_ + length;
        ReadTrack(in, end, s, channelNotes);
        if (in.pos_ != end) throw std::runtime_error("track does not end at its chunk's end");
    }
    s.Channels = static_cast<int>(
        std::count_if(channelNotes.begin(), channelNotes.end(), [](int n) { return n > 0; }));
    return s;
}

TEST(Songs, EverySongIsAMinuteOrMoreOfMidiThatLoopsOnABarLine) {
    std::vector<std::string> songs = ConfiguredSongs();
    ASSERT_GE(songs.size(), 6u);
    for (const std::string& name : songs) {
        SCOPED_TRACE(name);
        MidiSummary s;
        ASSERT_NO_THROW(s = ReadMidi(ReadFileBytes(BuiltGameDir() + name)));
        ASSERT_FALSE(s.Tempos.empty()) << "no tempo";
        EXPECT_TRUE(std::all_of(s.Tempos.begin(), s.Tempos.end(), [&](uint32_t t) {
            return t == s.Tempos[0];
        })) << "the tempo changes";
        double seconds = s.EndTick / static_cast<double>(s.Division) * s.Tempos[0] / 1e6;
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 600.0);
        EXPECT_EQ(s.EndTick % (s.Division * s.BeatsPerBar), 0) << "does not end on a bar line";
        for (int end : s.TrackEnds) EXPECT_EQ(end, s.EndTick) << "a track ends early";
        EXPECT_EQ(s.HangingNotes, 0);
        EXPECT_GE(s.Channels, 3);
        EXPECT_GE(s.Notes, 200);
    }
}

TEST(Songs, ReaderOfTheTestRejectsBrokenFiles) {
    // the summary above must be able to fail: a file cut inside a track is refused
    Bytes song = ReadFileBytes(BuiltGameDir() + ConfiguredSongs().at(0));
    Bytes cut(song.begin(), song.begin() + static_cast<long>(song.size() / 2));
    EXPECT_THROW(ReadMidi(cut), std::runtime_error);
}

}  // namespace
