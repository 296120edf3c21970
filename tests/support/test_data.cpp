// Small data files made in the tests.
#include "support/test_data.h"

#include <cmath>
#include <fstream>

#include "dxgwriter/library_writer.h"
#include "store/atomic_write.h"

PictureData SolidPicture(const std::string& name, int w, int h, uint32_t rgb, int patterns) {
    PictureData p;
    p.Name = name;
    p.Width = w * patterns;
    p.Height = h;
    p.PatternWidth = patterns > 1 ? w : 0;
    p.PatternHeight = patterns > 1 ? h : 0;
    p.Transparent = true;
    p.TransparentColor = 0xFF00FF;
    p.Rgb.resize(static_cast<size_t>(p.Width) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < p.Width; ++x)
            p.Rgb[static_cast<size_t>(y) * p.Width + x] = rgb + static_cast<uint32_t>(x / w);
    return p;
}

uint32_t TestTileColor(int code) {
    return ((static_cast<uint32_t>(code) * 37u) % 200u + 40u) << 16 |
           ((static_cast<uint32_t>(code) * 91u) % 200u + 40u) << 8 |
           ((static_cast<uint32_t>(code) * 53u) % 200u + 40u);
}

std::vector<PictureData> TestGamePictures() {
    std::vector<PictureData> list;
    const char* fourPatterns[] = {"ball", "vivuz"};
    for (const char* n : fourPatterns) list.push_back(SolidPicture(n, 40, 40, 0x2040C0, 4));
    const char* twoPatterns[] = {"ballsus", "balljos",  "balls",    "balld",  "ballid",
                                 "ballis",  "eddiesus", "eddiejos", "eddies", "eddied"};
    for (const char* n : twoPatterns) list.push_back(SolidPicture(n, 40, 40, 0x3050D0, 2));
    list.push_back(SolidPicture("ballmort", 40, 40, 0x802020));
    list.push_back(SolidPicture("eddiemort", 40, 40, 0x802021));
    list.push_back(SolidPicture("mesajfond", 500, 22, 0xE0E0C0));
    list.push_back(SolidPicture("explozie", 120, 120, 0xFF8000, 10));
    list.push_back(SolidPicture("status", 640, 79, 0x404850));
    list.push_back(SolidPicture("pause", 124, 48, 0xC0C0C0));
    list.push_back(SolidPicture("fondlm", 160, 160, 0x101820));
    list.push_back(SolidPicture("youmadeit", 228, 134, 0x20C020));
    list.push_back(SolidPicture("killed", 228, 134, 0xC02020));
    list.push_back(SolidPicture("aborted", 228, 134, 0xC0C020));
    list.push_back(SolidPicture("terminat", 640, 480, 0x102030));
    list.push_back(SolidPicture("termina", 390, 250, 0x3060A0));
    while (list.size() < 24)
        list.push_back(SolidPicture("filler" + std::to_string(list.size()), 8, 8, 0x808080));
    list.push_back(SolidPicture("timeicon", 30, 20, 0x60A0E0));      // 24
    list.push_back(SolidPicture("infotronicon", 30, 20, 0x40E0FF));  // 25
    list.push_back(SolidPicture("lifeicon", 20, 20, 0xFF4060));      // 26
    list.push_back(SolidPicture("spare27", 8, 8, 0x808080));         // 27
    list.push_back(SolidPicture("bombicon", 30, 20, 0x303030));      // 28
    for (int d = 0; d < 10; ++d)
        list.push_back(SolidPicture("digit" + std::to_string(d), 12, 18, 0xF0F000 + d));
    list.push_back(SolidPicture("slash", 8, 18, 0xE0E0E0));  // 39
    list.push_back(SolidPicture("colon", 6, 18, 0xE0E0E1));  // 40
    return list;
}

std::vector<PictureData> TestMenuPictures() {
    std::vector<PictureData> list;
    list.push_back(SolidPicture("brinloft", 640, 480, 0x102040));
    list.push_back(SolidPicture("background", 640, 480, 0x0A1220));
    list.push_back(SolidPicture("informatii", 640, 480, 0x0A1221));
    list.push_back(SolidPicture("terminat", 640, 480, 0x0A1222));
    const char* small[] = {
        "sm",       "m2",          "bomba",    "sg",        "op",       "in",
        "cr",       "exit",        "mouse",    "ballmeniu", "tmmeniu",  "selectyourcharacter",
        "opmusic",  "opsounds",    "optips",   "opspeed",   "opmusicv", "opsoundv",
        "opon",     "opoff",       "ops",      "opss",      "back",     "backs",
        "ok",       "oks",         "eyn",      "add",       "adda",     "butoane",
        "butoane1", "butoane2",    "cal",      "ex",        "ex1",      "ex2",
        "cursor",   "informatii2", "credits",  "updown",    "c",        "c1",
        "c2",       "c3",          "c4",       "c5",        "c6",       "p1",
        "p2",       "p3",          "p4",       "p5",        "p6",       "p7",
        "opghost",  "board",       "boardsel", "oprewind"};
    uint32_t colour = 0x204060;
    for (const char* n : small) list.push_back(SolidPicture(n, 20, 20, colour += 0x010203));
    return list;
}

std::vector<PictureData> TestTilePictures() {
    std::vector<PictureData> list;
    PictureData background = SolidPicture("background", 640, 480, 0x050A10);
    background.Transparent = false;
    list.push_back(background);
    for (int code = 1; code <= 81; ++code) {
        int patterns = 1;
        if (code >= 49 && code <= 52) patterns = 4;
        if (code == 65) patterns = 8;
        if (code == 66 || code == 67) patterns = 11;
        if (code == 68) patterns = 10;
        if (code >= 70) patterns = 20;
        if (code == 9 || code == 10 || code == 12 || code == 20) patterns = 9;
        if (code == 7 || code == 8 || code == 19) patterns = 5;
        if (code == 38) patterns = 8;
        uint32_t colour = (code == 11 || code == 15) ? 0xFF00FF : TestTileColor(code);
        PictureData p = SolidPicture("tile" + std::to_string(code), 40, 40, colour, patterns);
        if (code == 11 || code == 15) std::fill(p.Rgb.begin(), p.Rgb.end(), 0xFF00FF);
        list.push_back(p);
    }
    return list;
}

static Bytes TestWave(double frequency) {
    const int rate = 22050, samples = rate / 10;
    ByteWriter w;
    w.Raw("RIFF");
    w.U32(36 + samples * 2);
    w.Raw("WAVEfmt ");
    w.U32(16);
    w.U16(1);
    w.U16(1);
    w.U32(rate);
    w.U32(rate * 2);
    w.U16(2);
    w.U16(16);
    w.Raw("data");
    w.U32(samples * 2);
    for (int i = 0; i < samples; ++i)
        w.I16(static_cast<int16_t>(8000 * std::sin(2 * M_PI * frequency * i / rate)));
    return w.Out();
}

std::vector<SoundData> TestSounds() {
    std::vector<SoundData> list;
    const char* names[] = {"aparemesaj", "click",          "ok",      "brinloft", "explozie",
                           "infotron",   "manancacircuit", "impinge", "termina",  "picabomba"};
    double f = 300;
    for (const char* n : names) list.push_back(SoundData{n, false, 0, TestWave(f += 50)});
    return list;
}

std::string TestConfigText(const std::string& levelsFile, bool music, bool sounds, int levelCount) {
    std::string t;
    auto line = [&t](const std::string& s) { t += s + "\r\n"; };
    line("- Tolmara 2.1 internal configuration file ------------------------");
    line("---------------------- Please do not modify! -----------------------");
    line("");
    line("Character = Vivuz;");
    line("Show tips = true;");
    line(std::string("Music enabled = ") + (music ? "true" : "false") + ";");
    line(std::string("Sounds enabled = ") + (sounds ? "true" : "false") + ";");
    line("Music Volume = 200;");
    line("Sounds Volume = 200;");
    line("Speed = 300;");
    line("Levels File = " + levelsFile + ";");
    line("");
    line("------------------------ Music configuration -----------------------");
    line("");
    line("Number of songs = 0;");
    line("");
    line("");
    line("------------------------ Levels songs ------------------------------");
    line("------------- At every level will be a song number -----------------");
    line("----- 0 means random, the game will choose one of the songs --------");
    line("");
    line("Number of levels = " + std::to_string(levelCount) + ";");
    line("");
    line("Menu = 0;");
    for (int j = 1; j <= levelCount; ++j) line("Level" + std::to_string(j) + " = 0;");
    line("");
    line("--------------------- End of configuration file --------------------");
    return t;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

Bytes TestLevelSetBytes(const std::vector<TestLevel>& levels, const std::string& setName) {
    ByteWriter index;
    index.I32(0);
    index.ShortString(setName);
    index.I32(static_cast<int32_t>(levels.size()));
    size_t offsetsAt = index.Out().size();
    for (int i = 0; i < 1000; ++i) index.I32(0);
    Bytes file = index.Out();
    for (size_t n = 0; n < levels.size(); ++n) {
        const TestLevel& level = levels[n];
        int32_t offset = static_cast<int32_t>(file.size());
        for (int b = 0; b < 4; ++b)
            file[offsetsAt + 4 * n + b] = static_cast<uint8_t>(offset >> (8 * b));
        ByteWriter w;
        w.ShortString(level.TileSet);
        w.ShortString(level.Name);
        w.I32(40 * level.StartCol + 20);
        w.I32(40 * level.StartRow + 20);
        w.I32(0);
        w.I32(static_cast<int32_t>(level.Cells.empty() ? 0 : level.Cells[0].size()));
        w.I32(static_cast<int32_t>(level.Cells.size()));
        for (const auto& row : level.Cells)
            for (int code : row) {
                w.I32(code);
                w.I32(0);
                w.I32(100);
                w.I32(0);
            }
        w.I32(level.Quota);
        file.insert(file.end(), w.Out().begin(), w.Out().end());
    }
    return file;
}

std::vector<TestLevel> TestLevels() {
    TestLevel one{"One", 1, 1, {{15, 16, 12, 15, 63}, {14, 14, 14, 12, 15}}, 0, "computer.dxg"};
    TestLevel two{"Two", 2, 1, {{45, 45, 63}, {15, 12, 15}}, 0, "computer.dxg"};
    TestLevel three{"Three",       1, 1, {{15, 15, 15, 15}, {45, 15, 38, 15}, {45, 45, 45, 63}}, 0,
                    "computer.dxg"};
    return {one, two, three};
}

void WriteTestDataFiles(const std::string& dir) {
    WriteFileAtomically(dir + "Tolmara.lev", TestLevelSetBytes(TestLevels()));
    WriteFileAtomically(dir + "tolmara.dxg", WritePictureLibrary(TestGamePictures()));
    WriteFileAtomically(dir + "meniu.dxg", WritePictureLibrary(TestMenuPictures()));
    WriteFileAtomically(dir + "computer.dxg", WritePictureLibrary(TestTilePictures()));
    WriteFileAtomically(dir + "sounds.dxg", WriteSoundLibrary(TestSounds()));
    WriteTextFile(dir + "tolmarakx.cfg", TestConfigText());
}
