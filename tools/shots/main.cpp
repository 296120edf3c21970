// tolmara-shots: screenshots of the game made headless, for the README.
//   tolmara-shots [--data DIR] [--replay FILE --at TICK] OUTDIR
// Writes OUTDIR/menu.png (the main menu), OUTDIR/players.png (players and levels) and, with a
// replay, OUTDIR/play.png (the frame drawn at that tick of the replay).

#include <cstdio>
#include <cstdlib>
#include <exception>
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

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string data = FoldersOfProgram().Data, replay, out;
    long at = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc)
            data = argv[++i];
        else if (a == "--replay" && i + 1 < argc)
            replay = argv[++i];
        else if (a == "--at" && i + 1 < argc)
            at = std::atol(argv[++i]);
        else
            out = a;
    }
    if (out.empty()) {
        std::fprintf(stderr,
                     "usage: tolmara-shots [--data DIR] [--replay FILE --at TICK] OUTDIR\n");
        return 2;
    }
    try {
        MenuShots(data, out);
        if (!replay.empty()) PlayShot(data, replay, at, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolmara-shots: %s\n", e.what());
        return 1;
    }
    return 0;
}
