// Start-up, the main window's creation, fatal errors and the shutdown sequence.
#include "app/startup.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "app/run_levels.h"
#include "audio/audio.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "screens/screen_dispatch.h"
#include "store/atomic_write.h"
#include "store/game_folders.h"
#include "store/records.h"

namespace {

std::string MissingFileText(const std::string& file) {
    const char* tail =
        "!!!\n\rPlease read the Troubleshooting section in file readme.doc to find out what you "
        "sould do.";
    if (file == "tolmarakx.cfg") return "Cannot find " + file + " data file" + tail;
    return "Cannot find the " + file + " data file" + tail;
}

std::string UnreadableFileText(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return path + ": a folder stands where this file should be; move it away";
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return path + ": this is not a plain file; move it away";
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    const int error = fd < 0 ? errno : EIO;
    return path + ": cannot open file (" + std::strerror(error) + ")";
}

bool RealVideoDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0))
        return false;
    return SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY") || SDL_WasInit(SDL_INIT_VIDEO);
}

// The missing-file texts part their two lines with a line feed and a carriage return; the
// window system would show the carriage return as a stray glyph at the start of the second
// line, so the box and the terminal get the line feed alone.
std::string CleanLines(std::string text) {
    for (size_t at = text.find("\n\r"); at != std::string::npos; at = text.find("\n\r", at))
        text.erase(at + 1, 1);
    return text;
}

// The box shows each line as one line, however long: a message with a long path would run off
// the screen. Lines are broken at spaces (or after a '/' in a path) to at most this many
// characters.
constexpr size_t kBoxLineLength = 72;

std::string BoxLines(const std::string& text) {
    std::string out;
    size_t lineStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\n') {
            lineStart = out.size();
            continue;
        }
        if (out.size() - lineStart < kBoxLineLength) continue;
        // Breaks at the last space or slash of the line; a line without either stays whole.
        const size_t cut = out.find_last_of(" /", out.size() - 1);
        if (cut == std::string::npos || cut < lineStart) continue;
        if (out[cut] == ' ')
            out[cut] = '\n';
        else
            out.insert(cut + 1, "\n");
        lineStart = cut + 1;
    }
    return out;
}

}  // namespace

void ShowErrorBox(const std::string& title, const std::string& message) {
    const std::string text = CleanLines(message);
    std::fprintf(stderr, "%s\n", text.c_str());
    // A message box only where a player can see and close it: never under the dummy or offscreen
    // driver, where it could wait for a click that never comes.
    if (RealVideoDriver()) {
        // The game ends after the box: Ctrl+C or a kill must end it too, not wait for a click
        // (SDL's own handlers only queue a quit that no one reads while the box is up).
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        const std::string boxText = BoxLines(text);
        SDL_MessageBoxButtonData button = {
            SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0,
            "Cancel"};
        SDL_MessageBoxData box = {
            SDL_MESSAGEBOX_ERROR, nullptr, title.c_str(), boxText.c_str(), 1, &button, nullptr};
        int pressed = 0;
        SDL_ShowMessageBox(&box, &pressed);
    }
}

bool FileReadable(const std::string& path) {
    // Never waits: a pipe or a device in place of a data file is not one.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

void UseGameFolders(Game& game, const GameFolders& folders) {
    game.ProgramDir = folders.Data;
    game.SaveDir = folders.Save == folders.Data ? std::string() : folders.Save;
    if (PrepareSaveFolder(folders)) {
        game.SavesMovedTo = folders.Save;
        std::fprintf(stderr,
                     "%s cannot be written: its settings and players were copied to %s, where "
                     "the game saves from now on\n",
                     folders.Data.c_str(), folders.Save.c_str());
    }
}

void TakeSaveFolder(Game& game) {
    game.SaveFolderLock.Take(game.SaveFolder());
    RemoveStaleTempFiles(game.SaveFolder());
}

bool CheckDataFiles(Game& game) {
    for (const char* file : {"tolmara.dxg", "meniu.dxg", "computer.dxg", "tolmarakx.cfg"}) {
        const bool settings = std::strcmp(file, "tolmarakx.cfg") == 0;
        const std::string path = (settings ? game.SaveFolder() : game.ProgramDir) + file;
        if (!FileReadable(path)) {
            // Something that stands there but is no readable file is named with its path: the
            // player has to find it, and it may be in the save folder rather than the game's.
            ShowErrorBox("Tolmara Deepgrid",
                         PathExists(path) ? UnreadableFileText(path) : MissingFileText(file));
            return false;
        }
    }
    return true;
}

void SetStartDefaults(Game& game) {
    game.players.Clear();
    game.settings.Speed = 300;
    game.settings.Character = 1;
    game.settings.ShowTips = 1;
}

// The records live beside the players in the save folder. A damaged file is moved aside, and a
// file that cannot be opened at all leaves the game without records: either way the game plays.
static void OpenRecords(Game& game) {
    try {
        game.records = RecordStore::Open(game.SaveFolder() + kRecordsFile, game.RecordsNotice);
    } catch (const std::exception& e) {
        game.records.reset();
        game.RecordsNotice = e.what();
    }
    if (!game.RecordsNotice.empty()) std::fprintf(stderr, "%s\n", game.RecordsNotice.c_str());
    if (game.records) {
        try {
            game.run.ShowGhost = game.records->Choice("ghost", "off") == "on";
            game.run.RewindOn = game.records->Choice("rewind", "on") == "on";
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
}

void ReadStoredSettings(Game& game) {
    game.audio.Volumes = VolumeControl{};
    ReadSystemVolumes(game.Sound());
    game.settings.SavedMusicVolume = game.settings.MusicVolume;
    game.settings.SavedSoundsVolume = game.settings.SoundsVolume;
    ReadPlayerNames(game.players, game.settings.Speed, game.SaveFolder());
    game.PlayersFileFollows = true;
    ReadConfiguration(game.settings, game.SaveFolder());
    OpenRecords(game);
}

static void ResetMainMenuStart(Game& game) {
    MainMenuState& menu = game.screens.menu;
    menu.TitleSmX = -400.0;
    menu.TitleM2X = 640.0;
    menu.TitleBombaY = -600.0;
    menu.TitleSmArrived = menu.TitleM2Arrived = menu.TitleBombaArrived = false;
    menu.MenuSelection = 1;
}

void PrepareGame(Game& game) {
    game.SeedRandomFromClock();
    game.world.play.CurrentLevel = game.players.PlayerLevels[1];
    FillTileTables(game.world.tiles);
    ApplySpeed(game);
    FillMessageTexts(game.messages);
    game.media.Canvas.SetFontFolder(game.ProgramDir);
    game.media.MenuPictures.LoadPictures(game.ProgramDir + "meniu.dxg");
    game.media.GamePictures.LoadPictures(game.ProgramDir + "tolmara.dxg");
    ImageSprite* player = game.media.Sprites.Create<ImageSprite>();
    player->Z = 2;
    player->Width = 40;
    player->Height = 40;
    player->X = 180.0;
    player->Y = 180.0;
    game.media.Sprites.SortByZ();
    game.media.PlayerSprite = player;
    ReadLevelSet(game);
    SelectPlayerWhoPlayedLast(game);
    game.world.play.Mortal = 1;
    game.input.CheatMode = false;
    ResetMainMenuStart(game);
    game.input.ChangeCharacterKey = false;
    game.input.HelpKey = false;
    ResetScreenState(game);
    game.audio.CurrentSong = -1;
    if (game.settings.SoundsEnabled) {
        try {
            game.media.SoundOutput.OpenSoundDevice();
            game.media.Sounds.LoadSounds(game.ProgramDir + "sounds.dxg");
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            game.settings.SoundsEnabled = 0;
            ShowMessage(game, MessageId::SoundFailed);
        }
    }
    game.screens.logo.LogoJinglePlayed = false;
    game.audio.CurrentSong = -1;
    game.audio.MusicPlaying = 0;
    ApplyVolumes(game.Sound());
    SetScreen(game, Screen::IntroLogo);
}

void OnDisplayReady(Game& game) {
    ResetScreenState(game);
    if (!game.SavesMovedTo.empty()) {
        ShowSavesMoved(game, game.SavesMovedTo);
        game.SavesMovedTo.clear();
    }
    if (!game.RecordsNotice.empty()) {
        ShowRecordsProblem(game, game.RecordsNotice);
        game.RecordsNotice.clear();
    }
    game.timer.Enabled = true;
}

void OnDisplayLost(Game& game) {
    game.timer.Enabled = false;
}

void AppException(Game& game, const std::exception& error) {
    // Keep the player's progress of this run: one bad file must not lose it.
    if (game.StartupComplete) {
        try {
            WritePlayerNames(game.players, game.settings.Speed, game.SaveFolder());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
    ShowErrorBox("Tolmara Deepgrid", error.what());
    game.Terminated = true;
    game.Failed = true;
}

void ShutdownSequence(Game& game) {
    // Each file is tried whatever became of the other; each failure is reported once and makes
    // the process end with a failure status.
    auto save = [&](auto write) {
        try {
            write();
        } catch (const std::exception& e) {
            ShowErrorBox("Tolmara Deepgrid", e.what());
            game.Failed = true;
        }
    };
    save([&] { WritePlayerNames(game.players, game.settings.Speed, game.SaveFolder()); });
    save([&] { WriteConfiguration(SettingsToStore(game), game.SaveFolder()); });
    if (game.settings.MusicEnabled) StopMusic(game.Sound());
    if (game.media.Screen.Started()) game.media.Screen.StopDisplay();
    game.timer.Enabled = false;
    game.Terminated = true;
}
