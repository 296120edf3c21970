// tolmara-shots: screenshots of the game made headless, for the README.
//   tolmara-shots [--data DIR] [--replay FILE --at TICK] OUTDIR
// Writes OUTDIR/menu.png (the main menu), OUTDIR/players.png (players and levels) and, with a
// replay, OUTDIR/play.png (the frame drawn at that tick of the replay).

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "app/program_folder.h"
#include "app/replay_run.h"
#include "app/session.h"
#include "dxgwriter/png_writer.h"
#include "screens/screen_dispatch.h"

namespace {

void RunFor(Game& game, int ms) {
    for (int t = 0; t < ms; t += 17) RunTick(game, 17);
}

void MenuShots(const std::string& data, const std::string& out) {
    auto game = StartGame(SessionOptions{data, false, 1});
    RunFor(*game, 300);
    PressKey(*game, vkSpace);  // skip the logo
    RunTick(*game, 17);
    ReleaseKey(*game, vkSpace);
    MoveMouse(*game, 470, 320);
    RunFor(*game, 1500);
    WritePng(out + "/menu.png", game->media.Back);
    PlayerTable& players = game->players;
    const char* names[] = {"Ada", "Bogdan", "Cleo"};
    for (int i = 0; i < 3; ++i) {
        players.PlayerNames[i + 1] = names[i];
        players.PlayerLevels[i + 1] = 6 - i;
    }
    players.PlayerCount = 3;
    players.CurrentPlayer = 2;
    game->world.play.CurrentLevel = 5;
    ResetScreenState(*game);
    SetScreen(*game, Screen::PlayersLevels);
    MoveMouse(*game, 360, 430);
    RunFor(*game, 1000);
    WritePng(out + "/players.png", game->media.Back);
}

void PlayShot(const std::string& data, const std::string& replay, long at, const std::string& out) {
    ReplayScript script = ReadReplayFile(replay);
    auto game = StartReplayGame(script, data);
    PlayReplay(*game, script, [&](Game& g, int64_t tick, int32_t) {
        if (tick < at) return true;
        WritePng(out + "/play.png", g.media.Back);
        return false;
    });
}

constexpr const char* kUsage =
    "usage: tolmara-shots [--data DIR] [--replay FILE --at TICK] OUTDIR\n"
    "  writes OUTDIR/menu.png and OUTDIR/players.png (OUTDIR is made when missing)\n"
    "  --data DIR     the game's folder (default: the folder of this program)\n"
    "  --replay FILE  also write OUTDIR/play.png, the frame drawn at tick TICK of the replay\n";

[[noreturn]] void UsageError(const std::string& what) {
    std::fprintf(stderr, "tolmara-shots: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

long TickNumber(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1) UsageError("--at needs a tick number of at least 1");
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string data = FoldersOfProgram().Data, replay, out;
    long at = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) UsageError(a + " needs a value");
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--data") {
            data = value();
        } else if (a == "--replay") {
            replay = value();
        } else if (a == "--at") {
            at = TickNumber(value());
        } else if (!a.empty() && a[0] == '-') {
            UsageError("unknown option " + a);
        } else if (out.empty()) {
            out = a;
        } else {
            UsageError("more than one output folder given");
        }
    }
    if (out.empty()) UsageError("no output folder given");
    if (!replay.empty() && at == 0) UsageError("--replay needs --at TICK");
    try {
        std::filesystem::create_directories(out);
        MenuShots(data, out);
        if (!replay.empty()) PlayShot(data, replay, at, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-shots: %s\n", e.what());
        return 1;
    }
    return 0;
}
