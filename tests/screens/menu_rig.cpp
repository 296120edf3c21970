// The menu screens' test rig: folder, pictures, configuration and a started display.
#include "menu_rig.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "app/key_events.h"
#include "app/session.h"
#include "dxgwriter/library_writer.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"
#include "store/settings.h"

namespace {

struct Shape {
    const char* Name;
    int Width, Height;
};

// Full-screen pictures are opaque; the frame "informatii2" is a strip at the top, so the credits
// behind it can be seen.
const std::vector<Shape> kMenuShapes = {{"brinloft", 640, 480},  {"background", 640, 480},
                                        {"m2", 60, 30},          {"sm", 60, 30},
                                        {"bomba", 40, 40},       {"sg", 190, 36},
                                        {"op", 190, 36},         {"in", 190, 36},
                                        {"cr", 190, 36},         {"exit", 190, 36},
                                        {"mouse", 3, 3},         {"ballmeniu", 90, 100},
                                        {"tmmeniu", 90, 100},    {"selectyourcharacter", 400, 40},
                                        {"opmusic", 60, 20},     {"opsounds", 60, 20},
                                        {"optips", 60, 20},      {"opspeed", 90, 20},
                                        {"opmusicv", 90, 20},    {"opsoundv", 90, 20},
                                        {"opghost", 90, 20},     {"board", 600, 320},
                                        {"boardsel", 556, 18},   {"oprewind", 90, 20},
                                        {"opon", 30, 20},        {"opoff", 30, 20},
                                        {"ops", 190, 6},         {"opss", 8, 20},
                                        {"back", 60, 24},        {"backs", 60, 24},
                                        {"ok", 60, 24},          {"oks", 60, 24},
                                        {"eyn", 200, 30},        {"add", 46, 20},
                                        {"adda", 46, 20},        {"butoane", 26, 80},
                                        {"butoane1", 26, 80},    {"butoane2", 26, 80},
                                        {"cal", 200, 30},        {"ex", 37, 17},
                                        {"ex1", 37, 17},         {"ex2", 37, 17},
                                        {"cursor", 2, 14},       {"informatii", 640, 480},
                                        {"c", 640, 380},         {"c1", 640, 380},
                                        {"c2", 640, 380},        {"c3", 640, 380},
                                        {"c4", 640, 380},        {"c5", 640, 380},
                                        {"c6", 640, 380},        {"p1", 40, 30},
                                        {"p2", 40, 30},          {"p3", 40, 30},
                                        {"p4", 40, 30},          {"p5", 40, 30},
                                        {"p6", 40, 30},          {"p7", 40, 30},
                                        {"updown", 77, 57},      {"credits", 140, 1800},
                                        {"informatii2", 640, 60}};
const std::vector<Shape> kGameShapes = {
    {"terminat", 640, 480}, {"termina", 390, 200}, {"mesajfond", 500, 20}};

// A colour for picture number i whose RGB565 form differs from every other picture's.
uint32_t ColourNumber(int i) {
    const uint32_t r = static_cast<uint32_t>((i * 8) & 0xF8),
                   g = static_cast<uint32_t>((i / 32) * 4 + 16);
    return (r << 16) | (g << 8) | 0x40;
}

std::map<std::string, uint32_t>& Colours() {
    static std::map<std::string, uint32_t> colours = [] {
        std::map<std::string, uint32_t> m;
        int i = 1;
        for (const auto& list : {kMenuShapes, kGameShapes})
            for (const Shape& s : list) m[s.Name] = ColourNumber(i++);
        return m;
    }();
    return colours;
}

void WriteLibrary(const std::string& path, const std::vector<Shape>& shapes) {
    std::vector<PictureData> pictures;
    for (const Shape& s : shapes) {
        PictureData p;
        p.Name = s.Name;
        p.Transparent = false;
        p.Width = s.Width;
        p.Height = s.Height;
        p.Rgb.assign(static_cast<size_t>(s.Width) * s.Height, Colours()[s.Name]);
        pictures.push_back(std::move(p));
    }
    const Bytes bytes = WritePictureLibrary(pictures);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

MenuRig::MenuRig(int levelCount) : game_(std::make_unique<Game>()) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Game& g = *game_;
    g.ProgramDir = dir_.Path();
    Settings& s = g.settings;
    s.ShowTips = 1, s.MusicEnabled = 0, s.SoundsEnabled = 0;
    s.MusicVolume = 100, s.SoundsVolume = 100, s.Speed = 300;
    s.LevelsFile = "Tolmara.lev";
    WriteConfiguration(s, g.ProgramDir);
    WriteLibrary(dir_.File("meniu.dxg"), kMenuShapes);
    WriteLibrary(dir_.File("tolmara.dxg"), kGameShapes);
    g.media.MenuPictures.LoadPictures(dir_.File("meniu.dxg"));
    g.media.GamePictures.LoadPictures(dir_.File("tolmara.dxg"));
    g.levels.LevelSet.LevelCount = levelCount;
    for (int n = 1; n <= levelCount; ++n) g.levels.LevelNames[n - 1] = "Level " + std::to_string(n);
    FillMessageTexts(g.messages);
    FillTileTables(g.world.tiles);
    ApplySpeed(g);
    g.media.Screen.StartDisplay(false, "Tolmara Deepgrid");
    ResetScreenState(g);
    g.timer.Enabled = true;
    SetScreen(g, Screen::IntroLogo);
}

void MenuRig::Enter(Screen screen) {
    SetScreen(*game_, screen);
}

void MenuRig::Tick(int32_t lag) {
    RunTick(*game_, lag);
}

void MenuRig::Ticks(int count, int32_t lag) {
    for (int i = 0; i < count; ++i) Tick(lag);
}

void MenuRig::Key(int vk) {
    PressKey(*game_, vk);
    Tick();
    ReleaseKey(*game_, vk);
}

void MenuRig::Type(const std::string& latin1) {
    for (char c : latin1) {
        TypeChar(*game_, static_cast<uint8_t>(c));
        Tick();
    }
}

void MenuRig::Click(int x, int y) {
    MoveMouse(*game_, x, y);
    MouseButton(*game_, true);
    Tick();
    MouseButton(*game_, false);
}

void MenuRig::RunUntilScreenChanges(int limit) {
    const Screen start = CurrentScreen();
    for (int i = 0; i < limit && CurrentScreen() == start; ++i) Tick();
}

uint16_t MenuRig::ColourOf(const std::string& name) {
    return RgbTo565(Colours().at(name));
}

uint16_t MenuRig::Pixel(int x, int y) const {
    return game_->media.Back.At(x, y);
}

bool MenuRig::Queued(int message) const {
    const MessageState& m = game_->messages;
    for (int i = 0; i < m.MessageCount; ++i)
        if (m.MessageQueue[i].Code == message) return true;
    return false;
}

void AddPlayer(Game& game, const std::string& name, int32_t level, uint8_t character) {
    PlayerTable& p = game.players;
    p.PlayerCount += 1;
    p.PlayerNames[p.PlayerCount] = name;
    p.PlayerLevels[p.PlayerCount] = level;
    p.PlayerCharacter[p.PlayerCount] = character;
}
