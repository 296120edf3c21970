// The records board of one level (the best run of every player on this machine, at the speed of
// the settings), the chosen player's statistics there, and a kept run watched on the play screen.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "game/camera.h"
#include "game/cell_animation.h"
#include "game/level_start.h"
#include "game/play_tick.h"
#include "game/replay_simulation.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "screens/menu_common.h"
#include "screens/screen_dispatch.h"
#include "screens/screens.h"
#include "store/atomic_write.h"
#include "store/game_folders.h"

namespace {

constexpr int kBoardX = 20, kBoardY = 150;
constexpr int kFirstRowY = 218, kRowHeight = 18;
// After the watched run's level ends, its last picture stays this long.
constexpr int32_t kWatchHoldMs = 1500;

const std::string* ChosenPlayer(const Game& game) {
    const PlayerTable& players = game.players;
    const int32_t slot = players.CurrentPlayer;
    if (slot < 1 || slot > players.PlayerCount || slot > kMaxPlayers) return nullptr;
    return &players.PlayerNames[static_cast<size_t>(slot)];
}

void WriteBoardText(Game& game, int x, int y, int size, uint32_t bgr, const std::string& text,
                    bool alignRight = false) {
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", size);
    canvas.SetColor(bgr);
    canvas.WriteText(game.media.Back, alignRight ? x - canvas.TextPixelWidth(text) : x, y, text);
    canvas.ReleaseCanvas();
}

// Plays a kept run again: true when it still makes its level in its time.
bool StillMakesItsLevel(Game& game, const RunRecord& run) {
    try {
        ReplayScript script = ParseReplay(run.Replay, "the record of " + run.Player);
        script.Levels = LevelSetPath(GameFolders{game.ProgramDir, game.SaveFolder()}, run.LevelSet);
        const ReplayResult result = SimulateReplay(script, game.ProgramDir);
        return result.Outcome == "made" && result.ExitTimeMs == run.TimeMs;
    } catch (const std::exception&) {
        return false;
    }
}

// A name that is safe in a file name: letters, digits, '-' and '_' kept, the rest '_'.
std::string FileNamePart(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out += std::isalnum(c) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return out.empty() ? "_" : out;
}

void ExportRun(Game& game, const RunRecord& run) {
    const std::string folder = game.SaveFolder() + "runs/";
    char number[16];
    std::snprintf(number, sizeof number, "%02d", run.Level);
    const std::string path = folder +
                             FileNamePart(std::filesystem::path(run.LevelSet).stem().string()) +
                             "-" + number + "-" + FileNamePart(run.Player) + ".replay";
    try {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) throw FileError(folder + ": cannot make the folder (" + ec.message() + ")");
        WriteFileAtomically(path, Bytes(run.Replay.begin(), run.Replay.end()));
        ShowRecordsNote(game, "The run was written to " + path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        ShowRecordsProblem(game, e.what());
    }
}

void DrawBoard(Game& game) {
    const BoardState& board = game.screens.board;
    DrawMenuBackdrop(game);
    DrawMenuPicture(game, "board", kBoardX, kBoardY);
    const int level = board.Level;
    const std::string title = "Level " + std::to_string(level) + "  " +
                              game.levels.LevelNames[static_cast<size_t>(level - 1)] +
                              "   (speed " + std::to_string(game.settings.Speed) + ")";
    TextCanvas& canvas = game.media.Canvas;
    canvas.SetFont("Arial", 12);
    const int titleWidth = canvas.TextPixelWidth(title);
    WriteBoardText(game, 320 - titleWidth / 2, 184, 12, kTextAqua, title);
    if (board.Runs.empty()) {
        WriteBoardText(game, 48, kFirstRowY, 12, kTextYellow,
                       game.records ? "No runs kept yet: make the level to set the first record."
                                    : "No records are kept (see the message at the start).");
    }
    for (size_t i = 0; i < board.Runs.size(); ++i) {
        const RunRecord& run = board.Runs[i];
        const int y = kFirstRowY + static_cast<int>(i) * kRowHeight;
        const bool chosen = static_cast<int32_t>(i) == board.Selection;
        if (chosen) DrawMenuPicture(game, "boardsel", 36, y - 2);
        const uint32_t colour = chosen ? kTextGreen : kTextYellow;
        WriteBoardText(game, 64, y, 12, colour, std::to_string(i + 1) + ".", true);
        WriteBoardText(game, 72, y, 12, colour, run.Player);
        WriteBoardText(game, 300, y, 12, colour, RunTimeText(run.TimeMs), true);
        WriteBoardText(game, 322, y, 12, colour, run.Date);
        WriteBoardText(game, 462, y, 12, colour, run.Character == 1 ? "Vivuz" : "Vuzoda");
        if (!run.Verified) WriteBoardText(game, 590, y, 12, kTextRed, "unverified", true);
    }
    if (!board.StatsOf.empty()) {
        const LevelStats& s = board.Stats;
        auto count = [](int64_t n, const char* one, const char* many) {
            return std::to_string(n) + " " + (n == 1 ? one : many);
        };
        const std::string line = board.StatsOf + ": " + count(s.Attempts, "attempt", "attempts") +
                                 ", " + count(s.LivesLost, "life lost", "lives lost") + ", " +
                                 count(s.TimesMade, "time made", "times made") + ", " +
                                 RunTimeText(s.TimePlayedMs) + " played";
        canvas.SetFont("Arial", 12);
        WriteBoardText(game, 320 - canvas.TextPixelWidth(line) / 2, 410, 12, kTextAqua, line);
    }
}

// Steers the world by the watched replay's keys for one recorded tick, as the replay simulation
// does; false once the replay has no tick left or its level has ended.
bool WatchedTick(Game& game) {
    WatchState& w = game.screens.watch;
    const std::vector<ReplayStep>& steps = w.Script.Steps;
    while (w.Step < steps.size() && w.TickInStep >= steps[w.Step].Count) {
        ++w.Step;
        w.TickInStep = 0;
    }
    if (w.Step >= steps.size()) return false;
    const ReplayStep& step = steps[w.Step];
    ++w.TickInStep;
    w.Keys.Change(step.Keys);
    const bool ended = PlayWorldTick(game.world, game.events, w.Keys, step.Lag);
    DrawWorldAsItIs(game);
    return !ended;
}

}  // namespace

void EnterRecordsBoard(Game& game) {
    BoardState& board = game.screens.board;
    board.Runs.clear();
    board.Stats = LevelStats{};
    board.StatsOf.clear();
    board.Selection = 0;
    if (!game.records) return;
    const std::string& set = game.settings.LevelsFile;
    try {
        board.Runs = game.records->Board(set, board.Level, game.settings.Speed);
        for (RunRecord& run : board.Runs) {
            const std::string key = std::to_string(run.Sequence) + "@" + run.LevelSet;
            if (!game.run.CheckedRuns.insert(key).second) continue;
            const bool makes = StillMakesItsLevel(game, run);
            if (makes != run.Verified) game.records->SetVerified(run, makes);
            run.Verified = makes;
        }
        if (const std::string* player = ChosenPlayer(game)) {
            board.StatsOf = *player;
            board.Stats = game.records->StatsOf(set, board.Level, *player);
            for (size_t i = 0; i < board.Runs.size(); ++i)
                if (board.Runs[i].Player == *player) board.Selection = static_cast<int32_t>(i);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        ShowRecordsProblem(game, e.what());
    }
}

void RecordsBoardTick(Game& game, int32_t) {
    BoardState& board = game.screens.board;
    InputFlags& in = game.input;
    const auto count = static_cast<int32_t>(board.Runs.size());
    if (in.KeyUpPressed && board.Selection > 0) --board.Selection;
    if (in.KeyDownPressed && board.Selection + 1 < count) ++board.Selection;
    in.KeyUpPressed = in.KeyDownPressed = false;
    DrawBoard(game);
    DrawMousePointer(game);
    if (in.ExportKey) {
        in.ExportKey = false;
        if (count > 0) ExportRun(game, board.Runs[static_cast<size_t>(board.Selection)]);
    }
    if (in.EnterPressed && count > 0) {
        in.EnterPressed = false;
        try {
            const RunRecord& run = board.Runs[static_cast<size_t>(board.Selection)];
            game.screens.watch = WatchState{};
            game.screens.watch.Script = ParseReplay(run.Replay, "the record of " + run.Player);
            SetScreen(game, Screen::RunWatch);
        } catch (const std::exception& e) {
            ShowRecordsProblem(game, e.what());
        }
        return;
    }
    if (in.EscapePressed) {
        in.EscapePressed = false;
        SetScreen(game, Screen::PlayersLevels);
    }
}

void EnterRunWatch(Game& game) {
    WatchState& w = game.screens.watch;
    game.run.Ghost.clear();
    const std::optional<uint64_t> seed = game.FixedSeed;
    game.FixedSeed = w.Script.Seed;
    LoadLevel(game, w.Script.Level);
    game.FixedSeed = seed;
    PrepareLevelStart(game.world);
    game.world.Speed = w.Script.Speed;
    // The replay's first tick is the level start just made, with its keys.
    w.Step = 0;
    w.TickInStep = 1;
    w.Keys = ReplayKeyState{};
    if (!w.Script.Steps.empty()) w.Keys.Change(w.Script.Steps[0].Keys);
    w.Keys.Paused = false;
    game.input.AnyKeyPressed = false;
}

void RunWatchTick(Game& game, int32_t lag) {
    WatchState& w = game.screens.watch;
    if (w.EndTime == 0 && !WatchedTick(game)) w.EndTime = 1;
    if (w.EndTime > 0) {
        DrawPlayFrame(game, lag);
        w.EndTime += lag;
    }
    if (game.input.AnyKeyPressed || w.EndTime > kWatchHoldMs) {
        game.input.AnyKeyPressed = false;
        ResetPlayScreens(game);
        SetScreen(game, Screen::RecordsBoard);
    }
}
