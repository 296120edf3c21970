// Frame costs of the game's ticks: each timed batch replays the same frames from a saved state.
#include "bench_ticks.h"

#include <memory>
#include <stdexcept>

#include "app/replay_run.h"
#include "app/session.h"
#include "screens/game.h"
#include "screens/messages.h"
#include "screens/screen_dispatch.h"

namespace {

constexpr int32_t kLag = 16;  // a 60 Hz frame

}  // namespace

// Presenting the frame is measured on its own.
void DrawTick(Game& game) {
    game.media.BackDrawing.StartFrame();
    game.media.Input.PollInput();
    AgeMessages(game, kLag);
    if (game.ScreenTick) game.ScreenTick(game, kLag);
    DrawMessages(game);
    game.media.BackDrawing.FinishFrame();
}

namespace {

// Runs whole ticks until `ready` holds; throws when it does not within `limit` ticks.
template <class Ready>
void RunUntil(Game& game, int limit, const char* what, Ready ready) {
    for (int i = 0; i < limit && !ready(); ++i) RunTick(game, kLag);
    if (!ready()) throw std::runtime_error(std::string("benchmark: never reached ") + what);
}

// Keeps the queued message lines young, so that every timed frame draws them.
void KeepMessagesShown(Game& game) {
    for (int i = 0; i < game.messages.MessageCount; ++i) game.messages.MessageQueue[i].Age = 0;
}

// The level, the play state and the random numbers at one moment, to start each batch from.
struct PlaySnapshot {
    LevelGrid Level;
    PlayState Play;
    GameRandom Random;

    void Take(const Game& game) {
        Level = game.world.level;
        Play = game.world.play;
        Random = game.world.random;
    }
    void Restore(Game& game) const {
        game.world.level = Level;
        game.world.play = Play;
        game.world.random = Random;
    }
};

}  // namespace

double MeasurePlayTick(const std::string& dataDir, const std::string& levels, int level,
                       const Repetitions& reps) {
    ReplayScript script;
    script.Levels = levels;
    script.Level = level;
    script.Mortal = 0;  // a monster that reaches the player must not end the level
    std::unique_ptr<Game> game = StartReplayGame(script, dataDir);
    game->world.play.CurrentLevel = level;
    SetScreen(*game, Screen::LevelStart);
    RunUntil(*game, 10, "the game-play screen",
             [&] { return game->screens.CurrentScreen == Screen::GamePlay; });
    for (MessageId n : {MessageId::MusicEnabled, MessageId::SoundsEnabled, MessageId::TipsEnabled})
        ShowMessage(*game, n);                     // "Music enabled", "Sounds enabled", ...
    for (int i = 0; i < 60; ++i) DrawTick(*game);  // objects on their way, texts rendered
    auto snapshot = std::make_unique<PlaySnapshot>();
    snapshot->Take(*game);
    auto prepare = [&] {
        snapshot->Restore(*game);
        KeepMessagesShown(*game);
    };
    const double us =
        MedianMicroseconds(reps.Samples, reps.TicksPerBatch, prepare, [&] { DrawTick(*game); });
    if (game->screens.CurrentScreen != Screen::GamePlay)
        throw std::runtime_error("benchmark: the level ended while it was measured");
    return us;
}

std::unique_ptr<Game> StartMainMenuAtRest(const std::string& dataDir) {
    SessionOptions options;
    options.ProgramDir = dataDir;
    options.ReadSettings = false;
    options.Seed = 1;
    std::unique_ptr<Game> game = StartGame(options);
    PressKey(*game, vkSpace);  // skips the logo
    RunTick(*game, kLag);
    ReleaseKey(*game, vkSpace);
    const MainMenuState& menu = game->screens.menu;
    RunUntil(*game, 500, "the main menu at rest", [&] {
        return game->screens.CurrentScreen == Screen::MainMenu && menu.TitleSmArrived &&
               menu.TitleM2Arrived && menu.TitleBombaArrived && menu.MenuItemsArrived;
    });
    return game;
}

MenuTicks MeasureMenuTicks(const std::string& dataDir, const Repetitions& reps) {
    std::unique_ptr<Game> game = StartMainMenuAtRest(dataDir);
    MenuTicks out;
    out.MainMenuUs =
        MedianMicroseconds(reps.Samples, reps.TicksPerBatch, {}, [&] { DrawTick(*game); });

    PlayerTable& players = game->players;
    players.PlayerCount = 3;
    players.PlayerNames[1] = "Ioana";
    players.PlayerNames[2] = "Mihai Popescu";
    players.PlayerNames[3] = "Zoltan";
    players.PlayerLevels[2] = 2;
    players.CurrentPlayer = 2;
    game->world.play.CurrentLevel = 2;
    SetScreen(*game, Screen::PlayersLevels);
    const PlayersScreenState& ps = game->screens.players;
    RunUntil(*game, 500, "the players screen at rest", [&] {
        return game->screens.CurrentScreen == Screen::PlayersLevels && ps.PlayerPanelArrived &&
               ps.LevelPanelArrived && ps.ButtonsArrived;
    });
    out.PlayersUs =
        MedianMicroseconds(reps.Samples, reps.TicksPerBatch, {}, [&] { DrawTick(*game); });
    return out;
}
