// The game object: owns every piece of state, grouped by lifetime, so a test can make a fresh game.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/input_flags.h"
#include "app/messages.h"
#include "audio/audio.h"
#include "game/play_state.h"
#include "game/random.h"
#include "level/level.h"
#include "media/display.h"
#include "media/input.h"
#include "media/picture.h"
#include "media/sprite.h"
#include "media/surface.h"
#include "media/text_canvas.h"
#include "media/wave_list.h"
#include "screens/screen_state.h"
#include "store/player_table.h"
#include "store/settings.h"

struct Game;
class TVuzoda;
using ScreenHandlerFn = void (*)(Game& game, int32_t lag);

// The media components of the main window.
struct Media {
    Surface Back{640, 480};  // the back surface every tick draws on
    PictureList perslist;    // "tolmara.dxg"
    PictureList meniulist;   // "meniu.dxg"
    PictureList patratele;   // the tile set of the current level
    TextCanvas Canvas;
    SpriteEngine DXSpriteEngine;
    DXInput Input;
    SoundDevice dxsound1;
    WaveList DXWaveList1;
    Display dxdraw;
};

// The frame timer (`DXTimer`).
struct FrameTimer {
    bool Enabled = false;
    int32_t TicksPerSecond = 0;
    int32_t TicksCounted = 0;
    int64_t MeasureStart = 0;  // ms
};

struct Game {
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Lives for the whole run.
    std::string ProgramDir;  // with its trailing separator
    Settings settings;
    PlayerTable players;
    LevelSetState levels;
    TileTables tiles;
    InputFlags input;
    MessageState messages;
    ScreenState screens;
    AudioState audio;
    Media media;
    FrameTimer timer;
    ScreenHandlerFn ScreenHandler = nullptr;
    TVuzoda* Player = nullptr;  // owned by the sprite engine

    // Rebuilt by each level load.
    tlevel level;
    PlayState play;

    // Random numbers; FixedSeed replaces the clock wherever the game seeds (replays, tests).
    GameRandom random;
    std::optional<uint64_t> FixedSeed;
    void SeedRandomFromClock();

    // The run ends once this is set (shutdown sequence or a fatal error).
    bool Terminated = false;
    // The process ends with a failure status: a save failed or a fatal error ended the run.
    bool Failed = false;
    bool StartupComplete = false;
};
