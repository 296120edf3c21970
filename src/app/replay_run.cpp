// Playing a replay script through the real level start and play screens, and its JSON result.
#include "app/replay_run.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "app/session.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "screens/screen_dispatch.h"

namespace {

struct KeyEvent {
    int VirtualKey;
    int Typed;  // the character typed with the key, -1 for none
};

KeyEvent EventOf(ReplayKey key) {
    switch (key) {
        case ReplayKey::Up:
            return {vkUp, -1};
        case ReplayKey::Down:
            return {vkDown, -1};
        case ReplayKey::Left:
            return {vkLeft, -1};
        case ReplayKey::Right:
            return {vkRight, -1};
        case ReplayKey::Space:
            return {vkSpace, ' '};
        case ReplayKey::Ctrl:
            return {vkControl, -1};
        case ReplayKey::Escape:
            return {vkEscape, 27};
        case ReplayKey::Enter:
            return {vkReturn, 13};
        case ReplayKey::P:
            return {'P', 'p'};
        case ReplayKey::C:
            return {'C', 'c'};
        case ReplayKey::F1:
            return {vkF1, -1};
    }
    return {0, -1};
}

bool Holds(const std::vector<ReplayKey>& keys, ReplayKey key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void ChangeHeldKeys(Game& game, std::vector<ReplayKey>& held, const std::vector<ReplayKey>& next) {
    for (size_t i = 0; i < held.size();) {
        if (Holds(next, held[i])) {
            ++i;
            continue;
        }
        const ReplayKey key = held[i];
        held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
        ReleaseKey(game, EventOf(key).VirtualKey,
                   ShiftState{false, false, Holds(held, ReplayKey::Ctrl)});
    }
    for (ReplayKey key : next) {
        if (Holds(held, key)) continue;
        held.push_back(key);
        const KeyEvent event = EventOf(key);
        PressKey(game, event.VirtualKey, ShiftState{false, false, Holds(held, ReplayKey::Ctrl)});
        if (event.Typed >= 0) TypeChar(game, static_cast<uint8_t>(event.Typed));
    }
}

namespace {

// The level set of the script: a plain name is a file of the data folder, read by the game's own
// loader; a path is opened as given (the game only opens files inside its folder), while tile
// sets still come from the data folder.
void LoadScriptLevelSet(Game& game, const std::string& levels) {
    game.settings.LevelsFile = levels;
    if (levels.find('/') == std::string::npos) {
        ReadLevelSet(game);
        return;
    }
    ReadLevelSetFrom(game, levels);
}

ReplayResult CollectResult(const Game& game, int64_t ticks) {
    return ResultOfWorld(game.world, game.screens.CurrentScreen == Screen::LevelEnd, ticks);
}

}  // namespace

std::unique_ptr<Game> StartReplayGame(const ReplayScript& script, const std::string& dataDir) {
    SessionOptions options;
    options.ProgramDir = dataDir;
    options.ReadSettings = false;
    options.Seed = script.Seed;
    std::unique_ptr<Game> game = StartGame(options);
    game->settings.Speed = script.Speed;
    ApplySpeed(*game);
    game->settings.Character = static_cast<uint8_t>(script.Character);
    game->world.play.Mortal = static_cast<uint8_t>(script.Mortal);
    LoadScriptLevelSet(*game, script.Levels);
    const int32_t count = game->levels.LevelSet.LevelCount;
    if (script.Level > count) {
        throw std::runtime_error("level " + std::to_string(script.Level) + " is not in " +
                                 script.Levels + " (" + std::to_string(count) + " levels)");
    }
    return game;
}

ReplayResult PlayReplay(Game& game, const ReplayScript& script,
                        const ReplayTickObserver& observer) {
    game.world.play.CurrentLevel = script.Level;
    SetScreen(game, Screen::LevelStart);
    std::vector<ReplayKey> held;
    int64_t ticks = 0;
    bool playing = false;
    WorldCheckWatch checks(script.Checks);
    auto result = [&]() {
        ReplayResult r = CollectResult(game, ticks);
        NoteChecks(r, checks, script);
        return r;
    };
    for (const ReplayStep& step : script.Steps) {
        for (int64_t i = 0; i < step.Count; ++i) {
            ChangeHeldKeys(game, held, step.Keys);
            RunTick(game, step.Lag);
            ++ticks;
            checks.AfterTick(game.world, ticks);
            const bool onPlayScreen = game.screens.CurrentScreen == Screen::GamePlay;
            const bool left = playing && !onPlayScreen;
            playing = playing || onPlayScreen;
            if (observer && !observer(game, ticks, step.Lag)) return result();
            if (left || game.Terminated) return result();
        }
    }
    return result();
}
