// The game object: owns every piece of state of the run, each part in the layer it belongs to,
// so a test makes a fresh game in one line.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "audio/audio.h"
#include "game/world.h"
#include "level/level.h"
#include "media/display.h"
#include "media/frame_drawing.h"
#include "media/frame_timer.h"
#include "media/input.h"
#include "media/picture.h"
#include "media/sprite.h"
#include "media/surface.h"
#include "media/text_canvas.h"
#include "media/wave_list.h"
#include "screens/input_flags.h"
#include "screens/messages.h"
#include "screens/run_record.h"
#include "screens/screen_state.h"
#include "store/folder_lock.h"
#include "store/player_table.h"
#include "store/settings.h"

class RecordStore;
struct Game;
using ScreenTickFn = void (*)(Game& game, int32_t lag);

// The media components of the main window.
struct Media {
    Media() { BackDrawing.Attach(Back); }

    Surface Back{640, 480};    // the back surface every tick draws on
    FrameDrawing BackDrawing;  // draws each frame on Back only where it changed
    PictureList GamePictures;  // "tolmara.dxg": the characters, blasts, status bar, messages
    PictureList MenuPictures;  // "meniu.dxg"
    PictureList TilePictures;  // the tile set of the current level
    TextCanvas Canvas;
    SpriteEngine Sprites;
    ImageSprite* PlayerSprite = nullptr;  // owned by Sprites
    InputStates Input;
    SoundDevice SoundOutput;
    WaveList Sounds;
    Display Screen;
};

// The rules' reports turned into sounds and on-screen messages.
class ScreenEvents : public GameEvents {
  public:
    explicit ScreenEvents(Game& game) : game_(game) {}
    void PlaySound(std::string_view name) override;
    void ShowMessage(MessageId id) override;
    bool MessageShown(MessageId id) const override;

  private:
    Game& game_;
};

struct Game {
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Lives for the whole run.
    std::string ProgramDir;  // the data files' folder, with its trailing separator
    // The folder of the settings, the players and the player's own level sets (trailing
    // separator); empty when it is ProgramDir, as in a build folder or a portable copy.
    std::string SaveDir;
    const std::string& SaveFolder() const { return SaveDir.empty() ? ProgramDir : SaveDir; }
    // The folder the player's saves moved to at this start (the game's own folder could no
    // longer be written); shown once on screen, then cleared.
    std::string SavesMovedTo;
    // What went wrong with the records at this start; shown once on screen, then cleared.
    std::string RecordsNotice;
    // Held while the game reads and writes the save folder's players and settings.
    FolderLock SaveFolderLock;
    Settings settings;
    PlayerTable players;
    LevelSetState levels;
    InputFlags input;
    MessageState messages;
    ScreenState screens;
    AudioState audio;
    Media media;
    FrameTimer timer;
    ScreenTickFn ScreenTick = nullptr;
    ScreenEvents events{*this};

    // The level in play; rebuilt by each level start.
    World world;
    // The run in play as a replay, and the records it may enter (null: no records kept, as in
    // replays and tools, or when the records could not be opened).
    RunInPlay run;
    std::unique_ptr<RecordStore> records;

    // The sound and music functions' view of the game.
    SoundSystem Sound() {
        return {settings, audio,        media.SoundOutput, media.Sounds,
                timer,    world.random, ProgramDir,        events};
    }

    // FixedSeed replaces the clock wherever the game seeds its random numbers (replays, tests).
    std::optional<uint64_t> FixedSeed;
    void SeedRandomFromClock();
    uint64_t LastSeed = 1;  // the seed of the last SeedRandomFromClock (a run's replay needs it)

    // Set by the exit item of the main menu: the program runs its shutdown after this tick.
    bool ExitRequested = false;
    // The run ends once this is set (shutdown sequence or a fatal error).
    bool Terminated = false;
    // The process ends with a failure status: a save failed or a fatal error ended the run.
    bool Failed = false;
    bool StartupComplete = false;
    // The window has the input focus (as far as the window system said).
    bool WindowFocused = true;
    // The player table was read from the folder's players file, so every change of it is
    // written back at once. Replays and tools start from defaults and never write the file.
    bool PlayersFileFollows = false;
};
