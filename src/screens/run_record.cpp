// The run in play as a replay, the statistics it adds and the record it may set.
#include "screens/run_record.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>

#include "game/replay_simulation.h"
#include "screens/game.h"
#include "screens/players_screen.h"
#include "store/game_folders.h"
#include "store/records.h"

namespace {

// The name of the player who last started a level, among the choices kept with the records.
constexpr const char* kLastPlayerChoice = "last player";

// The keys a replay would hold to steer the world as the controls did this tick.
std::vector<ReplayKey> KeysOfControls(const PlayerControls& controls) {
    std::vector<ReplayKey> keys;
    switch (controls.Steer) {
        case Direction::Up:
            keys.push_back(ReplayKey::Up);
            break;
        case Direction::Down:
            keys.push_back(ReplayKey::Down);
            break;
        case Direction::Left:
            keys.push_back(ReplayKey::Left);
            break;
        case Direction::Right:
            keys.push_back(ReplayKey::Right);
            break;
        default:
            break;
    }
    if (controls.Snap) keys.push_back(ReplayKey::Space);
    if (controls.Bomb) keys.push_back(ReplayKey::Ctrl);
    return keys;
}

// Whether the keys of tick `tick` of the script hold P.
bool TickHoldsP(const ReplayScript& script, int64_t tick) {
    int64_t seen = 0;
    for (const ReplayStep& step : script.Steps) {
        seen += step.Count;
        if (seen >= tick)
            return std::find(step.Keys.begin(), step.Keys.end(), ReplayKey::P) != step.Keys.end();
    }
    return false;
}

// The named player in play, or null when no player is chosen.
const std::string* PlayerInPlay(const Game& game) {
    const PlayerTable& players = game.players;
    const int32_t slot = players.CurrentPlayer;
    if (slot < 1 || slot > players.PlayerCount || slot > kMaxPlayers) return nullptr;
    return &players.PlayerNames[static_cast<size_t>(slot)];
}

void ReportRecordsProblem(Game& game, const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    ShowRecordsProblem(game, e.what());
}

// Plays the run again on the rules alone: "" when it makes the level with the exit reached at
// the recorded time, else what went otherwise.
std::string VerifyRun(Game& game, const ReplayScript& script, int64_t exitTimeMs) {
    ReplayScript played = script;
    played.Levels =
        LevelSetPath(GameFolders{game.ProgramDir, game.SaveFolder()}, game.settings.LevelsFile);
    const ReplayResult result = SimulateReplay(played, game.ProgramDir);
    const int64_t replayedExit = result.ExitTimeMs;
    if (result.DivergedAtTick != 0)
        return "its replay went another way at tick " + std::to_string(result.DivergedAtTick);
    if (result.Outcome != "made") return "its replay ended " + result.Outcome;
    if (replayedExit != exitTimeMs)
        return "its replay reached the exit at " + RunTimeText(replayedExit);
    return "";
}

void OfferTheRun(Game& game, const std::string& player) {
    RunInPlay& run = game.run;
    RunOutcome& last = run.Last;
    RecordStore& records = *game.records;
    const ReplayScript& script = run.Script;
    if (auto best = records.BestOf(game.settings.LevelsFile, script.Level, player, script.Speed))
        last.BestMs = best->TimeMs;
    if (last.BestMs >= 0 && last.TimeMs >= last.BestMs) return;
    if (!run.NotEligible.empty()) {
        last.NotKept = run.NotEligible;
        return;
    }
    if (const std::string why = VerifyRun(game, script, last.TimeMs); !why.empty()) {
        last.NotKept = why;
        std::fprintf(stderr, "the run on level %d was not kept: %s\n", script.Level, why.c_str());
        return;
    }
    RunRecord record;
    record.LevelSet = game.settings.LevelsFile;
    record.Level = script.Level;
    record.Player = player;
    record.TimeMs = last.TimeMs;
    record.Date = RunDateNow();
    record.Character = script.Character;
    record.Speed = script.Speed;
    record.Replay = ReplayScriptText(script, player + " on level " + std::to_string(script.Level) +
                                                 " in " + RunTimeText(last.TimeMs));
    last.NewBest = records.OfferRun(record);
}

// The places of the player's best run on the level in play, played headless (none when there is
// no best, or it cannot be played).
void LoadGhost(Game& game) {
    RunInPlay& run = game.run;
    run.Ghost.clear();
    const std::string* player = PlayerInPlay(game);
    if (!run.ShowGhost || !game.records || !player) return;
    try {
        const auto best = game.records->BestOf(game.settings.LevelsFile, run.Script.Level, *player,
                                               run.Script.Speed);
        if (!best) return;
        ReplayScript script = ParseReplay(best->Replay, "the best run of " + *player);
        script.Levels =
            LevelSetPath(GameFolders{game.ProgramDir, game.SaveFolder()}, game.settings.LevelsFile);
        run.GhostCharacter = script.Character;
        SimulateReplay(script, game.ProgramDir, [&run](const World& world, int64_t) {
            run.Ghost.push_back(
                GhostSample{world.play.LevelTime, world.play.PlayerPosX, world.play.PlayerPosY});
        });
    } catch (const std::exception& e) {
        run.Ghost.clear();
        ReportRecordsProblem(game, e);
    }
}

}  // namespace

bool RewindRun(Game& game, int64_t target) {
    RunInPlay& run = game.run;
    if (!run.Recording || !run.RewindOn || run.Timeline.Last() < 1) return false;
    target = std::clamp<int64_t>(target, 1, run.Timeline.Last());
    // A replay switches the pause when P goes down, so the tick after a tick that switched it
    // cannot switch it again: such a tick is no place to resume from.
    while (target > 1 && TickHoldsP(run.Script, target)) --target;
    if (!run.Timeline.RewindTo(game.world, run.Keys, run.Script, target)) return false;
    CutScriptAfter(run.Script, target);
    run.Ticks = target;
    run.Script.Practice = true;
    run.NotEligible = "it was stepped back in time (practice)";
    // The game stays paused or running as it is; the next tick records the P that makes the
    // kept keys agree (see RecordPlayTick).
    run.WasPaused = run.Keys.Paused;
    const PlayState& play = game.world.play;
    if (!play.ExitReached) run.ExitTimeMs = -1;
    run.LivesBefore = play.Lives;
    return true;
}

void SetRewindOn(Game& game, bool on) {
    game.run.RewindOn = on;
    if (!on) game.run.Timeline.Clear();
    if (game.records) {
        try {
            game.records->SetChoice("rewind", on ? "on" : "off");
        } catch (const std::exception& e) {
            ReportRecordsProblem(game, e);
        }
    }
}

void SetGhostShown(Game& game, bool shown) {
    RunInPlay& run = game.run;
    run.ShowGhost = shown;
    if (game.records) {
        try {
            game.records->SetChoice("ghost", shown ? "on" : "off");
        } catch (const std::exception& e) {
            ReportRecordsProblem(game, e);
        }
    }
    if (shown && run.Recording && run.Ghost.empty()) LoadGhost(game);
}

const GhostSample* GhostNow(const Game& game) {
    const RunInPlay& run = game.run;
    if (!run.ShowGhost || run.Ghost.empty()) return nullptr;
    const double now = game.world.play.LevelTime;
    // The last sample at or before now: the ghost stands where its run stood at this time.
    auto after = std::upper_bound(run.Ghost.begin(), run.Ghost.end(), now,
                                  [](double t, const GhostSample& s) { return t < s.TimeMs; });
    return after == run.Ghost.begin() ? &run.Ghost.front() : &*(after - 1);
}

void SelectPlayerWhoPlayedLast(Game& game) {
    if (!game.records) return;
    std::string last;
    try {
        last = game.records->Choice(kLastPlayerChoice, "");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return;
    }
    PlayerTable& players = game.players;
    for (int32_t slot = 1; slot <= players.PlayerCount && slot <= kMaxPlayers; ++slot) {
        if (players.PlayerNames[static_cast<size_t>(slot)] != last) continue;
        players.CurrentPlayer = slot;
        ShowNewestOpenLevel(game, slot);
        return;
    }
}

std::string RunDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string RunTimeText(int64_t ms) {
    if (ms < 0) ms = 0;
    const int64_t hundredths = ms / 10;
    char text[32];
    std::snprintf(
        text, sizeof text, "%lld:%02lld.%02lld", static_cast<long long>(hundredths / 6000),
        static_cast<long long>(hundredths / 100 % 60), static_cast<long long>(hundredths % 100));
    return text;
}

void BeginRun(Game& game, int32_t lag) {
    RunInPlay& run = game.run;
    const bool ghost = run.ShowGhost, rewind = run.RewindOn;
    std::set<std::string> checked = std::move(run.CheckedRuns);
    RewindTimeline timeline = std::move(run.Timeline);  // its memory serves the next run
    run = RunInPlay{};
    run.ShowGhost = ghost;
    run.RewindOn = rewind;
    run.CheckedRuns = std::move(checked);
    run.Timeline = std::move(timeline);
    run.Timeline.Clear();
    run.Recording = true;
    ReplayScript& script = run.Script;
    script.Levels = game.settings.LevelsFile;
    script.Level = game.world.play.CurrentLevel;
    script.Speed = game.settings.Speed;
    script.Seed = game.LastSeed;
    script.Character = game.settings.Character;
    script.Mortal = game.world.play.Mortal;
    if (game.input.CheatMode || !game.world.play.Mortal) run.NotEligible = "the cheat mode is on";
    AppendReplayTick(script, lag, {});
    run.Ticks = 1;
    run.LivesBefore = game.world.play.Lives;
    if (run.RewindOn) run.Timeline.AfterTick(game.world, run.Keys, 1);
    LoadGhost(game);
    if (const std::string* player = PlayerInPlay(game); player && game.records) {
        try {
            game.records->SetChoice(kLastPlayerChoice, *player);
        } catch (const std::exception& e) {
            ReportRecordsProblem(game, e);
        }
    }
}

void RecordPlayTick(Game& game, int32_t lag) {
    RunInPlay& run = game.run;
    if (!run.Recording) return;
    const bool paused = game.input.Paused;
    std::vector<ReplayKey> keys;
    if (!paused) keys = KeysOfControls(game.world.controls);
    if (paused != run.WasPaused) {
        // A replay switches the pause when P goes down: two switches in a row cannot be told.
        if (!run.Script.Steps.empty() && !run.Script.Steps.back().Keys.empty() &&
            run.Script.Steps.back().Keys.back() == ReplayKey::P)
            run.NotEligible = "it was paused for a moment too short to replay";
        keys.push_back(ReplayKey::P);
        run.WasPaused = paused;
    }
    if (game.world.Speed != run.Script.Speed) run.NotEligible = "the speed changed during it";
    if (game.input.CheatMode || !game.world.play.Mortal) run.NotEligible = "the cheat mode is on";
    AppendReplayTick(run.Script, lag, keys);
    ++run.Ticks;
    RecordWorldCheck(run.Script, game.world, run.Ticks, lag);
    run.Keys.Change(keys);
    run.Keys.Paused = paused;
    run.Keys.EscapePressed = false;
    if (run.RewindOn) run.Timeline.AfterTick(game.world, run.Keys, run.Ticks);
    const PlayState& play = game.world.play;
    if (play.ExitReached && run.ExitTimeMs < 0)
        run.ExitTimeMs = static_cast<int64_t>(play.LevelTime);
    // Giving up blows the player up too, but that is no life the level took.
    if (play.Lives < run.LivesBefore && !play.LevelAborted) {
        run.LivesLost += run.LivesBefore - play.Lives;
        if (run.RewindOn) ShowMessage(game, MessageId::RewindOffered);
    }
    run.LivesBefore = play.Lives;
}

void RunLeftThePlayScreen(Game& game) {
    if (game.run.Recording) game.run.NotEligible = "the level was left for another screen";
}

int64_t ShownBestTime(Game& game, int32_t level) {
    const PlayerTable& players = game.players;
    const int32_t slot = players.CurrentPlayer;
    if (!game.records || slot < 1 || slot > players.PlayerCount || slot > kMaxPlayers) return -1;
    const std::string& player = players.PlayerNames[static_cast<size_t>(slot)];
    const std::string key = game.settings.LevelsFile + '\n' + player;
    const int64_t which = int64_t{game.settings.Speed} * 1000 + level;
    auto& shown = game.run.ShownBest;
    if (auto found = shown.find({key, which}); found != shown.end()) return found->second;
    int64_t best = -1;
    try {
        if (auto run =
                game.records->BestOf(game.settings.LevelsFile, level, player, game.settings.Speed))
            best = run->TimeMs;
    } catch (const std::exception& e) {
        ReportRecordsProblem(game, e);
    }
    shown[{key, which}] = best;
    return best;
}

void EndRun(Game& game) {
    RunInPlay& run = game.run;
    if (!run.Recording) return;
    run.Recording = false;
    run.ShownBest.clear();
    run.Last = RunOutcome{};
    const bool made = game.world.play.LevelOutcome == kOutcomeMade && run.ExitTimeMs >= 0;
    if (made) {
        run.Last.Timed = true;
        run.Last.TimeMs = run.ExitTimeMs;
    }
    const std::string* player = PlayerInPlay(game);
    if (!game.records || !player) return;
    try {
        LevelStats stats;
        stats.Attempts = 1;
        stats.LivesLost = run.LivesLost;
        stats.TimesMade = made ? 1 : 0;
        stats.TimePlayedMs = static_cast<int64_t>(game.world.play.LevelTime);
        game.records->AddStats(game.settings.LevelsFile, run.Script.Level, *player, stats);
        if (made) OfferTheRun(game, *player);
    } catch (const std::exception& e) {
        ReportRecordsProblem(game, e);
    }
}
